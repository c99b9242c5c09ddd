// Real play: the games of lichess-games.pgn resolved SAN by SAN through the
// move library, and the same file read by pgn-extract, in one run. Prints
// both rates in plies per second and how many times faster the library is.
#include "movelib/tlmpgn32.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path GamesFile = fs::path(QUORVAL_SHARED_DATA) / "lichess-games.pgn";

using Game = std::vector<std::string>;

// The SAN tokens of each game: movetext lines without move numbers, results
// and comments.
std::vector<Game> ReadGames(const fs::path &file)
{
    std::vector<Game> games;
    std::ifstream in(file);
    std::string line;
    bool inMovetext = false;
    while (std::getline(in, line)) {
        if (line.starts_with('[')) {
            inMovetext = false;
            continue;
        }
        if (line.empty())
            continue;
        if (!inMovetext)
            games.emplace_back();
        inMovetext = true;
        std::istringstream tokens(line);
        for (std::string token; tokens >> token;) {
            if (token.back() == '.' || token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*")
                continue;
            if (const auto dot = token.rfind('.'); dot != std::string::npos)
                token.erase(0, dot + 1);
            games.back().push_back(token);
        }
    }
    return games;
}

const std::vector<Game> &Games()
{
    static const std::vector<Game> games = ReadGames(GamesFile);
    return games;
}

std::int64_t Plies()
{
    std::int64_t plies = 0;
    for (const Game &game : Games())
        plies += std::int64_t(game.size());
    return plies;
}

fs::path PgnExtract()
{
    std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    path += ":/usr/games";
    std::istringstream folders(path);
    for (std::string folder; std::getline(folders, folder, ':');) {
        const fs::path candidate = fs::path(folder) / "pgn-extract";
        if (!folder.empty() && fs::exists(candidate))
            return candidate;
    }
    return {};
}

// Plies per second of each side, for the ratio printed after the run.
double LibraryRate = 0, PgnExtractRate = 0;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void MoveLibrary(benchmark::State &state)
{
    if (Games().empty()) {
        state.SkipWithError(("no games in " + GamesFile.string()).c_str());
        return;
    }
    std::int64_t plies = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (const Game &game : Games()) {
            TLMpgn2move("", "");
            for (const std::string &san : game) {
                benchmark::DoNotOptimize(TLMpgn2move("", san.c_str()));
                if (TLMgetRCMGerrno() != TLM_NoError) {
                    state.SkipWithError(("refused " + san).c_str());
                    return;
                }
            }
            plies += std::int64_t(game.size());
        }
    }
    LibraryRate = double(plies) / Seconds(std::chrono::steady_clock::now() - start);
    state.counters["plies/s"] = benchmark::Counter(double(plies), benchmark::Counter::kIsRate);
}
BENCHMARK(MoveLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

void PgnExtractReading(benchmark::State &state)
{
    const fs::path program = PgnExtract();
    if (program.empty() || Games().empty()) {
        state.SkipWithError(program.empty() ? "pgn-extract is not on the path" : "no games to read");
        return;
    }
    // Reads and checks every game, writes nothing.
    const std::string command = "\"" + program.string() + "\" -s -r \"" + GamesFile.string() + "\" >/dev/null 2>&1";
    std::int64_t plies = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("pgn-extract failed");
            return;
        }
        plies += Plies();
    }
    PgnExtractRate = double(plies) / Seconds(std::chrono::steady_clock::now() - start);
    state.counters["plies/s"] = benchmark::Counter(double(plies), benchmark::Counter::kIsRate);
}
BENCHMARK(PgnExtractReading)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("Real play, %zu games, %lld plies: move library %.2f M plies/s, pgn-extract %.2f M plies/s",
                Games().size(), static_cast<long long>(Plies()), LibraryRate / 1e6, PgnExtractRate / 1e6);
    if (LibraryRate > 0 && PgnExtractRate > 0)
        std::printf(", ratio %.1f\n", LibraryRate / PgnExtractRate);
    else
        std::printf(", no ratio: a side did not run\n");
    return 0;
}
