#pragma once

#include "movelib/board.h"

#include <cstdint>

namespace tlm {

class MoveList
{
public:
    void Add(Move m) { Moves[Count++] = m; }
    const Move *begin() const { return Moves; }
    const Move *end() const { return Moves + Count; }
    int Size() const { return Count; }

private:
    Move Moves[256];  // no position has more than 218 legal moves
    int Count = 0;
};

// Every legal move of the side to move.
MoveList LegalMoves(const Board &board);

// The number of move sequences of the given length: the reference count that
// proves the generator against published figures.
std::uint64_t Perft(const Board &board, int depth);

} // namespace tlm
