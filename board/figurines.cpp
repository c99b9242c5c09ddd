#include "board/figurines.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// U+265E..U+265A: the filled knight, bishop, rook, queen, king; the outline
// glyph of each is six code points lower.
constexpr char16_t FilledGlyphs[5] = {0x265E, 0x265D, 0x265C, 0x265B, 0x265A};

QPainterPath GlyphPath(char16_t glyph, int size)
{
    QFont font(QStringLiteral("FreeSerif"));
    font.setPixelSize(size);
    QPainterPath path;
    path.addText(0, 0, font, QString(QChar(glyph)));
    return path;
}

// Centres the filled glyph's box in the square and scales it to fill it.
QTransform FitToSquare(const QRectF &box, int size)
{
    const qreal scale = box.isEmpty() ? 1.0 : 0.95 * size / std::max(box.width(), box.height());
    QTransform t;
    t.translate(size / 2.0, size / 2.0);
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    return t;
}

} // namespace

QList<QImage> DrawFigurines(bool white, int size)
{
    QList<QImage> images;
    for (const char16_t filled : FilledGlyphs) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath body = GlyphPath(filled, size);
        const QTransform fit = FitToSquare(body.boundingRect(), size);
        painter.setTransform(fit);
        if (white) {
            painter.fillPath(body, Qt::white);
            painter.fillPath(GlyphPath(char16_t(filled - 6), size), Qt::black);
        } else {
            painter.fillPath(body, Qt::black);
        }
        painter.end();
        images.append(image);
    }
    return images;
}
