#pragma once

#include <QImage>
#include <QList>

// Figurines for knight, bishop, rook, queen and king (indices 0..4) in one
// colour, size x size pixels, drawn from the serif chess glyphs the board
// uses: a white piece is the filled glyph painted white under the outline
// glyph painted black.
QList<QImage> DrawFigurines(bool white, int size = 18);
