// SAN moves resolved per second by the move library, over a few thousand
// complete generated games, and the same games through ApplySanMove.
#include "chess/move_text.h"
#include "movelib/tlmpgn32.h"
#include "movelib/movegen.h"
#include "tests/chess/random_games.h"

#include <benchmark/benchmark.h>


namespace {

const std::vector<GeneratedGame> &Games()
{
    static const std::vector<GeneratedGame> games = GenerateRandomGames(3000, 20240611);
    return games;
}

void ResolveSan(benchmark::State &state)
{
    const auto &games = Games();
    std::int64_t moves = 0;
    for (auto _ : state) {
        for (const GeneratedGame &game : games) {
            TLMpgn2move("", "");
            for (const GeneratedPly &ply : game) {
                benchmark::DoNotOptimize(TLMpgn2move("", ply.San.c_str()));
                if (TLMgetRCMGerrno() != TLM_NoError) {
                    state.SkipWithError(("refused " + ply.San).c_str());
                    return;
                }
            }
            moves += std::int64_t(game.size());
        }
    }
    state.counters["SAN/s"] = benchmark::Counter(double(moves), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(moves);
}
BENCHMARK(ResolveSan)->Unit(benchmark::kMillisecond);

void ApplySanMoves(benchmark::State &state)
{
    const auto &games = Games();
    std::int64_t moves = 0;
    for (auto _ : state) {
        for (const GeneratedGame &game : games) {
            ResetMoveLibrary();
            TChessPosition position;
            for (std::size_t ply = 0; ply < game.size(); ++ply) {
                position.SetWhiteToMove(ply % 2 == 0);
                benchmark::DoNotOptimize(ApplySanMove(position, "", game[ply].San));
            }
            moves += std::int64_t(game.size());
        }
    }
    state.counters["SAN/s"] = benchmark::Counter(double(moves), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(moves);
}
BENCHMARK(ApplySanMoves)->Unit(benchmark::kMillisecond);

void PerftInitial5(benchmark::State &state)
{
    for (auto _ : state)
        if (tlm::Perft(tlm::Board(), 5) != 4865609)
            state.SkipWithError("wrong node count");
    state.counters["nodes/s"] = benchmark::Counter(4865609.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(PerftInitial5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
