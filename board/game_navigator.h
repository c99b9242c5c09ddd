#pragma once

#include "chess/game_record.h"
#include "chess/position.h"

#include <QObject>

// The position after the first ply half-moves of game, replayed from its
// set-up position (or the initial one): pieces, the rook of a castling, the
// pawn taken en passant, promotions, the en-passant square of a double step
// beside an enemy pawn, side to move and castling rights.
TChessPosition PositionAfterPly(const GameRecord &game, int ply);

// Steps the shown ply of a game: changes only game.CurrentPly and reports the
// position to show. The game is the caller's and must outlive the navigator.
//
// Every step emits BoardChanged with the new position. A step with update
// (and the last step of First, Last and Jump) then emits CurrentMoveChanged,
// once per command: connect it to the move highlight first, then to the
// engine.
class TGameNavigator : public QObject
{
    Q_OBJECT

public:
    explicit TGameNavigator(GameRecord &game, QObject *parent = nullptr);

    const GameRecord &Game() const { return m_game; }
    TChessPosition Position() const { return PositionAfterPly(m_game, m_game.CurrentPly); }

    // One ply back or forward; nothing past either end.
    void PreviousMove(bool update);
    void NextMove(bool update);

public slots:
    void First();
    void Previous() { PreviousMove(true); }
    void Next() { NextMove(true); }
    void Last();
    // Shows the position after ply jump + 1; the current move changes nothing.
    void GoToJump(int jump);

signals:
    void BoardChanged(const TChessPosition &position);
    void CurrentMoveChanged();
    // After First: the list goes back to its top.
    void ScrollToTop();

private:
    void Step(int delta, bool update);

    GameRecord &m_game;
};
