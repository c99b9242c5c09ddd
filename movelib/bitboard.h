#pragma once

#include <array>
#include <bit>
#include <cstdint>

// Squares as bit indices (rank * 8 + file, a1 = 0, h8 = 63), sets of squares
// as 64-bit boards, and the attack tables of every piece.
namespace tlm {

using Bitboard = std::uint64_t;

enum Color : int { White, Black };
constexpr Color operator~(Color c) { return Color(c ^ 1); }

enum PieceType : int { NoPieceType, Pawn, Knight, Bishop, Rook, Queen, King };

constexpr int NoSquare = 64;
constexpr int RankOf(int s) { return s >> 3; }
constexpr int FileOf(int s) { return s & 7; }
constexpr int MakeSquare(int rank, int file) { return rank * 8 + file; }

constexpr Bitboard SquareBit(int s) { return Bitboard(1) << s; }
constexpr Bitboard FileBB(int file) { return Bitboard(0x0101010101010101) << file; }
constexpr Bitboard RankBB(int rank) { return Bitboard(0xFF) << (8 * rank); }

constexpr int Lsb(Bitboard b) { return std::countr_zero(b); }
constexpr int Msb(Bitboard b) { return 63 - std::countl_zero(b); }
inline int PopLsb(Bitboard &b)
{
    const int s = Lsb(b);
    b &= b - 1;
    return s;
}

// Ray directions: the first four run towards higher squares.
enum Direction : int { North, East, NorthEast, NorthWest, South, West, SouthWest, SouthEast };

using SquareTable = std::array<Bitboard, 64>;
extern const std::array<SquareTable, 2> PawnAttackTable;  // by the attacker's colour
extern const SquareTable KnightAttackTable;
extern const SquareTable KingAttackTable;
extern const std::array<SquareTable, 8> RayTable;         // by Direction, the square itself excluded

inline Bitboard PawnAttacks(Color c, int s) { return PawnAttackTable[c][s]; }
inline Bitboard KnightAttacks(int s) { return KnightAttackTable[s]; }
inline Bitboard KingAttacks(int s) { return KingAttackTable[s]; }

// The ray from s in direction d up to and including the first occupied square.
template <Direction d>
inline Bitboard RayAttacks(int s, Bitboard occupied)
{
    Bitboard ray = RayTable[d][s];
    if (const Bitboard blockers = ray & occupied)
        ray ^= RayTable[d][d < South ? Lsb(blockers) : Msb(blockers)];
    return ray;
}

inline Bitboard BishopAttacks(int s, Bitboard occupied)
{
    return RayAttacks<NorthEast>(s, occupied) | RayAttacks<NorthWest>(s, occupied) |
           RayAttacks<SouthWest>(s, occupied) | RayAttacks<SouthEast>(s, occupied);
}

inline Bitboard RookAttacks(int s, Bitboard occupied)
{
    return RayAttacks<North>(s, occupied) | RayAttacks<East>(s, occupied) |
           RayAttacks<South>(s, occupied) | RayAttacks<West>(s, occupied);
}

} // namespace tlm
