#include "ui/aboutartwork.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QString glyphFamily()
{
    for (const QString &family : {QStringLiteral("FreeSerif"), QStringLiteral("DejaVu Sans")}) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return QFont().family();
}

void paintBoard(QPainter &p, const QRectF &area)
{
    // An 8 x 8 board seen from low in front: rows shrink towards the top.
    const QColor light(240, 202, 166), dark(128, 128, 128);
    const double bottom = area.bottom(), top = area.top();
    for (int rank = 0; rank < 8; ++rank) {
        const double t0 = rank / 8.0, t1 = (rank + 1) / 8.0;
        const auto y = [&](double t) { return bottom - (bottom - top) * (1 - (1 - t) * (1 - t)); };
        const auto halfWidth = [&](double t) { return area.width() / 2 * (1 - 0.45 * t); };
        for (int file = 0; file < 8; ++file) {
            const auto x = [&](double t, int f) { return area.center().x() - halfWidth(t) + f * 2 * halfWidth(t) / 8; };
            QPolygonF square;
            square << QPointF(x(t0, file), y(t0)) << QPointF(x(t0, file + 1), y(t0))
                   << QPointF(x(t1, file + 1), y(t1)) << QPointF(x(t1, file), y(t1));
            p.setBrush((rank + file) % 2 ? light : dark);
            p.drawPolygon(square);
        }
    }
}

} // namespace

QPixmap aboutArtwork(const QSize &size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(10, 18, 60));
    sky.setColorAt(0.6, QColor(30, 60, 130));
    sky.setColorAt(1, QColor(70, 110, 180));
    p.fillRect(pixmap.rect(), sky);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    for (const QPointF star : {QPointF(30, 20), QPointF(150, 35), QPointF(95, 12), QPointF(175, 80), QPointF(12, 95)})
        p.drawEllipse(star, 1.5, 1.5);

    p.setPen(QPen(QColor(20, 20, 40), 1));
    paintBoard(p, QRectF(8, size.height() - 120, 184, 112));

    // The knight: the filled glyph in white under the outline glyph in black.
    QFont glyphs(glyphFamily());
    glyphs.setPixelSize(120);
    p.setFont(glyphs);
    const QRectF knightBox(20, size.height() - 245, 160, 150);
    p.setPen(QColor(250, 248, 240));
    p.drawText(knightBox, Qt::AlignCenter, QString(QChar(0x265E)));
    p.setPen(QColor(15, 15, 25));
    p.drawText(knightBox, Qt::AlignCenter, QString(QChar(0x2658)));

    QFont title(glyphFamily());
    title.setPixelSize(40);
    title.setBold(true);
    title.setItalic(true);
    QPainterPath name;
    name.addText(18, 58, title, QStringLiteral("Quorval"));
    p.setPen(QPen(QColor(10, 18, 60), 2));
    p.setBrush(QColor(240, 202, 166));
    p.drawPath(name);

    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.setBrush(QColor(235, 240, 250, 215));
    p.drawRoundedRect(QRectF(196, 4, size.width() - 204, size.height() - 12), 10, 10);
    return pixmap;
}
