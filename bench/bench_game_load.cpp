// The whole load of a long server game: comment extraction, the temporary
// PGN file, reading it back and replaying the moves.
#include "app/server_game_loader.h"
#include "tests/chess/random_games.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

XfccGame LongServerGame()
{
    // The longest of a few generated games, written as a server sends it,
    // with a comment every tenth move.
    GeneratedGame longest;
    for (GeneratedGame &game : GenerateRandomGames(40, 7, 400)) {
        if (game.size() > longest.size())
            longest = std::move(game);
    }
    XfccGame game;
    game.id = 1;
    game.white = QStringLiteral("White Player");
    game.black = QStringLiteral("Black Player");
    game.hasWhite = true;
    for (std::size_t ply = 0; ply < longest.size() && ply < 300; ++ply) {
        if (ply % 2 == 0)
            game.moves += QString::number(ply / 2 + 1) + QStringLiteral(". ");
        game.moves += QString::fromStdString(longest[ply].San) + QLatin1Char(' ');
        if (ply % 10 == 9)
            game.moves += QStringLiteral("{a note on this move} ");
    }
    return game;
}

void BM_LoadServerGame(benchmark::State &state)
{
    const XfccGame game = LongServerGame();
    QTemporaryDir folder;
    int plies = 0;
    for (auto _ : state) {
        const LoadedServerGame loaded = LoadServerGame(game, folder.path(), folder.path() + "/", false);
        plies = loaded.Game.MoveCount;
        benchmark::DoNotOptimize(loaded.Position);
    }
    state.counters["plies"] = plies;
}
BENCHMARK(BM_LoadServerGame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
