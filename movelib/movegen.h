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

    void Add(Move m) { m_moves[m_count++] = m; }
    const Move *begin() const { return m_moves; }
    const Move *end() const { return m_moves + m_count; }
    int Size() const { return m_count; }

private:
    Move m_moves[Capacity];
    int m_count = 0;
};

// Every legal move of the side to move.
MoveList LegalMoves(const Board &board);

// The number of move sequences of the given length: the reference count that
// proves the generator against published figures.
std::uint64_t Perft(const Board &board, int depth);

} // namespace tlm
