#pragma once

#include <QPixmap>

// The about box's picture, drawn rather than stored: the program's name and a
// knight over a board on a night-blue ground, with a light panel on the right
// for the texts that stand on it.
QPixmap aboutArtwork(const QSize &size);
