#pragma once

#include <QString>
#include <QStringList>

// The position an engine is asked to analyse, described without the chess
// core: what the Winboard protocol needs (EPD fields and the move number) and
// what UCI needs (the start position and the moves played from it).
struct TAnalysedPosition
{
    // Placement, side to move, castling and en-passant fields, as for EPD.
    QString epd;
    // Full-move number of the position (1 at the start of a game).
    int fullMoveNumber = 1;
    // FEN of a set-up start position; empty for the standard start position.
    QString startFen;
    // The moves from the start position to this one in coordinate notation
    // ("e2e4", "e7e8q"; a promotion written "e7e8=q" is accepted as well).
    QStringList moves;
    // Plies played in the game up to this position, and who is to move here.
    int ply = 0;
    bool whiteToMove = true;
};
