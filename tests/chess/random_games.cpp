#include "random_games.h"

#include "movelib/movegen.h"
#include "movelib/san.h"

#include <random>

namespace {

// Captures, promotions and castling are preferred half of the time so that
// games reach mates, promotions, en passant and castling more often than
// pure chance would give.
tlm::Move PickMove(const tlm::Board &board, const tlm::MoveList &moves, std::mt19937 &random)
{
    std::vector<tlm::Move> forcing;
    for (const tlm::Move m : moves)
        if (m.Promotion != tlm::NoPieceType || m.Type != tlm::Move::Normal ||
            (board.Occupied() & tlm::SquareBit(m.To)))
            forcing.push_back(m);
    if (!forcing.empty() && random() % 2 == 0)
        return forcing[random() % forcing.size()];
    return *(moves.begin() + random() % moves.Size());
}

} // namespace

std::vector<GeneratedGame> GenerateRandomGames(int count, std::uint32_t seed, int maxPlies)
{
    std::mt19937 random(seed);
    std::vector<GeneratedGame> games(count);
    for (GeneratedGame &game : games) {
        tlm::Board board;
        for (int ply = 0; ply < maxPlies; ++ply) {
            const tlm::MoveList moves = tlm::LegalMoves(board);
            if (moves.Size() == 0)
                break;
            const tlm::Move move = PickMove(board, moves, random);
            game.push_back({tlm::ToSan(board, move), move});
            board.Play(move);
        }
    }
    return games;
}
