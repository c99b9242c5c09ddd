#include "board/piece_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

namespace {

// The filled glyph of a kind (pawn, knight, ... king) is U+265F, U+265E, ...;
// the outline glyph of the same kind lies six code points lower.
constexpr char32_t FilledGlyphs[] = {0x265F, 0x265E, 0x265D, 0x265C, 0x265B, 0x265A};
constexpr char32_t OutlineOffset = 6;

// Glyphs are scaled so that the king, the tallest piece, fills this part of
// the square; all pieces stand on one base line.
constexpr qreal KingHeight = 0.86;
constexpr qreal BaseLine = 0.94;

// Mask threshold on the coverage of a glyph's edge pixels.
constexpr int MaskAlpha = 96;

QPainterPath glyphPath(const QRawFont &font, char32_t codePoint)
{
    const QString text = QString::fromUcs4(&codePoint, 1);
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    if (glyphs.size() != 1 || glyphs.front() == 0)
        return {};
    return font.pathForGlyph(glyphs.front());
}

} // namespace

QString TPiecePictures::defaultFontFile()
{
    return QStringLiteral(":/board/piece-glyphs.ttf");
}

TPiecePictures::TPiecePictures(const QString &fontFile, int squareSize)
    : m_font(fontFile, 100)
    , m_size(squareSize)
{
}

QString TPiecePictures::resourceName(int index)
{
    return QStringLiteral("PIECE%1").arg(index);
}

QImage TPiecePictures::picture(int index) const
{
    if (index < 1 || index > Count)
        return {};
    const bool mask = index > 12;
    const PieceCode piece = PieceCode(mask ? index - 12 : index);
    const bool white = IsWhitePiece(piece);
    const char32_t filledCode = FilledGlyphs[(white ? piece : piece - Piece::BlackOffset) - 1];

    const QRawFont &font = m_font;
    if (!font.isValid() || m_size < 1)
        return {};
    const QPainterPath king = glyphPath(font, FilledGlyphs[5]);
    const QPainterPath filled = glyphPath(font, filledCode);
    const QPainterPath outline = glyphPath(font, filledCode - OutlineOffset);
    if (king.isEmpty() || filled.isEmpty() || outline.isEmpty())
        return {};

    // Centre the piece on the square and put its foot on the base line.
    const qreal scale = KingHeight * m_size / king.boundingRect().height();
    const QRectF bounds = filled.boundingRect().united(outline.boundingRect());
    QTransform place;
    place.translate(m_size / 2.0, BaseLine * m_size);
    place.scale(scale, scale);
    place.translate(-bounds.center().x(), -bounds.bottom());

    // The piece in colour on a transparent ground; a white piece is the
    // filled glyph in white under the outline glyph in black.
    QImage art(m_size, m_size, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setTransform(place);
        if (white) {
            p.fillPath(filled, Qt::white);
            p.fillPath(outline, Qt::black);
        } else {
            p.fillPath(filled, Qt::black);
        }
    }

    QImage result(m_size, m_size, QImage::Format_RGB32);
    for (int y = 0; y < m_size; ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(art.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < m_size; ++x) {
            const bool inside = qAlpha(from[x]) >= MaskAlpha;
            if (mask)
                to[x] = inside ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            else  // premultiplied colour is the piece over black
                to[x] = inside ? qRgb(qRed(from[x]), qGreen(from[x]), qBlue(from[x])) : qRgb(0, 0, 0);
        }
    }
    return result;
}
