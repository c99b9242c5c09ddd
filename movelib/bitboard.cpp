#include "movelib/bitboard.h"

namespace tlm {
namespace {

struct Step {
    int rank, file;
};

constexpr Bitboard Target(int s, Step step)
{
    const int rank = RankOf(s) + step.rank, file = FileOf(s) + step.file;
    return rank >= 0 && rank < 8 && file >= 0 && file < 8 ? SquareBit(MakeSquare(rank, file)) : 0;
}

template <std::size_t N>
constexpr SquareTable LeaperTable(const Step (&steps)[N])
{
    SquareTable table{};
    for (int s = 0; s < 64; ++s)
        for (const Step step : steps)
            table[s] |= Target(s, step);
    return table;
}

constexpr Step WhitePawnSteps[] = {{1, -1}, {1, 1}};
constexpr Step BlackPawnSteps[] = {{-1, -1}, {-1, 1}};
constexpr Step KnightSteps[] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
constexpr Step KingSteps[] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
// In the order of Direction.
constexpr Step RaySteps[] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}, {-1, 0}, {0, -1}, {-1, -1}, {-1, 1}};

constexpr std::array<SquareTable, 8> MakeRays()
{
    std::array<SquareTable, 8> rays{};
    for (int d = 0; d < 8; ++d) {
        for (int s = 0; s < 64; ++s) {
            for (Bitboard next = Target(s, RaySteps[d]); next; next = Target(Lsb(next), RaySteps[d]))
                rays[d][s] |= next;
        }
    }
    return rays;
}

} // namespace

constexpr std::array<SquareTable, 2> PawnAttackTable = {LeaperTable(WhitePawnSteps), LeaperTable(BlackPawnSteps)};
constexpr SquareTable KnightAttackTable = LeaperTable(KnightSteps);
constexpr SquareTable KingAttackTable = LeaperTable(KingSteps);
constexpr std::array<SquareTable, 8> RayTable = MakeRays();

} // namespace tlm
