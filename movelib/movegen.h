#pragma once

#include "movelib/board.h"

#include <cstdint>

namespace tlm {

class MoveList
{
public:
    // Room for the most moves a board can have: a king's eight steps and two
    // castlings, and at most 15 other pieces with at most a queen's 27 moves
    // each. (Positions reached in games have at most 218.)
    static constexpr int Capacity = 8 + 2 + (Board::MaxPiecesPerSide - 1) * 27;

    void Add(Move m) { Moves[Count++] = m; }
    const Move *begin() const { return Moves; }
    const Move *end() const { return Moves + Count; }
    int Size() const { return Count; }

private:
    Move Moves[Capacity];
    int Count = 0;
};

// Every legal move of the side to move.
MoveList LegalMoves(const Board &board);

// The number of move sequences of the given length: the reference count that
// proves the generator against published figures.
std::uint64_t Perft(const Board &board, int depth);

} // namespace tlm
