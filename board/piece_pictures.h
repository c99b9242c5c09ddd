#pragma once

#include "chess/encodings.h"

#include <QImage>
#include <QRawFont>
#include <QString>

// The 24 pictures the board draws pieces with, made from the chess glyphs of
// a font file: "PIECE1" to "PIECE12" are the images of PieceCode 1..12 on a
// black background, "PIECE13" to "PIECE24" their masks, black where the
// piece is and white elsewhere. A piece is drawn by AND-ing its mask onto
// the board and OR-ing its image over it.
class TPiecePictures
{
public:
    static constexpr int Count = 24;

    // The chess glyphs shipped in the program's resources (board/artwork).
    static QString defaultFontFile();

    // squareSize is the side of a picture in pixels.
    explicit TPiecePictures(const QString &fontFile, int squareSize);

    // "PIECE" followed by the index 1..24.
    static QString resourceName(int index);
    // The picture of index 1..24; a null image when the font cannot draw it.
    QImage picture(int index) const;

private:
    QRawFont m_font;  // read once for all 24 pictures
    int m_size;
};
