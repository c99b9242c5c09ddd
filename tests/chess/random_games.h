#pragma once

#include "movelib/board.h"

#include <cstdint>
#include <string>
#include <vector>

// Legal games played at random from the initial position with a fixed seed,
// written in standard SAN: a corpus of real-looking movetext with castling,
// en passant, promotions, disambiguation, checks and mates, without files.
struct GeneratedPly {
    std::string San;
    tlm::Move Move;
};
using GeneratedGame = std::vector<GeneratedPly>;

std::vector<GeneratedGame> GenerateRandomGames(int count, std::uint32_t seed, int maxPlies = 300);
