#pragma once

#include "movelib/board.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tlm {

// Finds the legal move a SAN text names on board. Accepts check and mate
// marks or none, trailing "!" and "?", more disambiguation than needed,
// promotion with or without "=", and castling as O-O / O-O-O (also written
// with zeros). Returns 0 and sets move, or a TLMError number.
std::int32_t ParseSan(const Board &board, std::string_view san, Move &move);

// The move in standard SAN: the least disambiguation that suffices, "=" for
// promotion, "+" or "#".
std::string ToSan(const Board &board, Move move);

} // namespace tlm
