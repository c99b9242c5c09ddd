#include "movelib/board.h"

#include <array>
#include <string>

namespace tlm {
namespace {

constexpr std::string_view StartFEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr std::string_view PieceLetters = " PNBRQK";

// The castling rights that survive a move touching a square.
constexpr std::array<std::uint8_t, 64> MakeCastlingMask()
{
    std::array<std::uint8_t, 64> mask{};
    mask.fill(WhiteShort | WhiteLong | BlackShort | BlackLong);
    mask[MakeSquare(0, 4)] &= ~(WhiteShort | WhiteLong);
    mask[MakeSquare(0, 7)] &= ~WhiteShort;
    mask[MakeSquare(0, 0)] &= ~WhiteLong;
    mask[MakeSquare(7, 4)] &= ~(BlackShort | BlackLong);
    mask[MakeSquare(7, 7)] &= ~BlackShort;
    mask[MakeSquare(7, 0)] &= ~BlackLong;
    return mask;
}
constexpr auto CastlingMask = MakeCastlingMask();

// King and rook squares of each right, and what must be empty and unattacked.
struct CastlingPath {
    CastlingRight Right;
    int KingFrom, KingTo, RookFrom, RookTo;
    Bitboard MustBeEmpty, MustBeSafe;
};
constexpr CastlingPath CastlingPaths[] = {
    {WhiteShort, 4, 6, 7, 5, SquareBit(5) | SquareBit(6), SquareBit(5) | SquareBit(6)},
    {WhiteLong, 4, 2, 0, 3, SquareBit(1) | SquareBit(2) | SquareBit(3), SquareBit(2) | SquareBit(3)},
    {BlackShort, 60, 62, 63, 61, SquareBit(61) | SquareBit(62), SquareBit(61) | SquareBit(62)},
    {BlackLong, 60, 58, 56, 59, SquareBit(57) | SquareBit(58) | SquareBit(59), SquareBit(58) | SquareBit(59)},
};

const CastlingPath &PathOf(CastlingRight right)
{
    for (const CastlingPath &path : CastlingPaths)
        if (path.Right == right)
            return path;
    return CastlingPaths[0];
}

std::string_view NextField(std::string_view &text)
{
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(start);
    const auto end = text.find(' ');
    const std::string_view field = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    return field;
}

} // namespace

void Board::SetStart()
{
    SetFromFEN(StartFEN);
}

void Board::Put(int s, Color c, PieceType t)
{
    m_byType[t] |= SquareBit(s);
    m_byColor[c] |= SquareBit(s);
    m_mailbox[s] = std::uint8_t(t | c << 3);
}

void Board::Remove(int s)
{
    m_byType[TypeOn(s)] &= ~SquareBit(s);
    m_byColor[m_mailbox[s] >> 3] &= ~SquareBit(s);
    m_mailbox[s] = 0;
}

bool Board::SetPlacement(std::string_view field)
{
    int rank = 7, file = 0;
    for (const char c : field) {
        if (c == '/') {
            if (file != 8 || rank == 0)
                return false;
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8)
                return false;
        } else {
            const auto type = PieceLetters.find(char(c & ~0x20));
            if (type == std::string_view::npos || type == 0 || file > 7)
                return false;
            Put(MakeSquare(rank, file++), c >= 'a' ? Black : White, PieceType(type));
        }
    }
    return rank == 0 && file == 8;
}

bool Board::SetFromFEN(std::string_view fen)
{
    Board read{EmptyBoard{}};
    if (!read.SetPlacement(NextField(fen)))
        return false;

    const std::string_view side = NextField(fen);
    if (side != "w" && side != "b")
        return false;
    read.m_side = side == "w" ? White : Black;

    const std::string_view castling = NextField(fen);
    if (castling != "-") {
        for (const char c : castling) {
            const auto right = std::string_view("KQkq").find(c);
            if (right == std::string_view::npos)
                return false;
            read.m_castling |= std::uint8_t(1 << right);
        }
    }

    const std::string_view ep = NextField(fen);
    if (ep.size() == 2 && ep[0] >= 'a' && ep[0] <= 'h' && ep[1] >= '1' && ep[1] <= '8')
        read.m_epSquare = std::uint8_t(MakeSquare(ep[1] - '1', ep[0] - 'a'));
    else if (!ep.empty() && ep != "-")
        return false;

    // A game cannot reach the positions refused here; playing on them would
    // break the board's invariants.
    for (const Color c : {White, Black})
        if (std::popcount(read.Pieces(c, King)) != 1 || std::popcount(read.Pieces(c)) > MaxPiecesPerSide)
            return false;
    if (read.m_byType[Pawn] & (RankBB(0) | RankBB(7)))
        return false;
    const Color them = ~read.m_side;
    if (read.Attackers(read.KingSquare(them), read.m_side, read.Occupied()))
        return false;

    for (const CastlingPath &path : CastlingPaths) {
        const Color c = path.KingFrom < 8 ? White : Black;
        if (!(read.Pieces(c, King) & SquareBit(path.KingFrom)) ||
            !(read.Pieces(c, Rook) & SquareBit(path.RookFrom)))
            read.m_castling &= ~path.Right;
    }
    if (read.m_epSquare != NoSquare) {
        // Valid only behind a pawn of the side that just moved, which stepped
        // over it from its empty start square.
        const int forward = read.m_side == White ? -8 : 8;
        const int pawn = read.m_epSquare + forward;
        const bool rankFits = RankOf(read.m_epSquare) == (read.m_side == White ? 5 : 2);
        if (!rankFits || !(read.Pieces(them, Pawn) & SquareBit(pawn)) ||
            (read.Occupied() & (SquareBit(read.m_epSquare) | SquareBit(read.m_epSquare - forward))))
            read.m_epSquare = NoSquare;
    }
    *this = read;
    return true;
}

Bitboard Board::Attackers(int s, Color by, Bitboard occupied) const
{
    const Bitboard queens = m_byType[Queen];
    return m_byColor[by] & occupied &
           ((PawnAttacks(~by, s) & m_byType[Pawn]) | (KnightAttacks(s) & m_byType[Knight]) |
            (KingAttacks(s) & m_byType[King]) | (BishopAttacks(s, occupied) & (m_byType[Bishop] | queens)) |
            (RookAttacks(s, occupied) & (m_byType[Rook] | queens)));
}

bool Board::CanCastle(CastlingRight right) const
{
    const CastlingPath &path = PathOf(right);
    if (!(m_castling & right) || (path.KingFrom < 8) != (m_side == White) || (Occupied() & path.MustBeEmpty))
        return false;
    if (InCheck())
        return false;
    for (Bitboard safe = path.MustBeSafe; safe;)
        if (Attackers(PopLsb(safe), ~m_side, Occupied()))
            return false;
    return true;
}

bool Board::IsLegal(Move m) const
{
    const Color us = m_side, them = ~m_side;
    if (TypeOn(m.From) == King)
        return !Attackers(m.To, them, Occupied() ^ SquareBit(m.From));

    Bitboard occupied = (Occupied() & ~SquareBit(m.From)) | SquareBit(m.To);
    Bitboard captured = SquareBit(m.To);
    if (m.Type == Move::EnPassant) {
        captured = SquareBit(m.To + (us == White ? -8 : 8));
        occupied &= ~captured;
    }
    return !(Attackers(KingSquare(us), them, occupied) & ~captured);
}

void Board::Play(Move m)
{
    const Color us = m_side;
    const PieceType moving = TypeOn(m.From);
    if (m.Type == Move::Castling) {
        for (const CastlingPath &path : CastlingPaths) {
            if (path.KingFrom == m.From && path.KingTo == m.To) {
                Remove(path.RookFrom);
                Put(path.RookTo, us, Rook);
            }
        }
    } else if (m.Type == Move::EnPassant) {
        Remove(m.To + (us == White ? -8 : 8));
    } else if (m_mailbox[m.To]) {
        Remove(m.To);
    }
    Remove(m.From);
    Put(m.To, us, m.Promotion != NoPieceType ? PieceType(m.Promotion) : moving);

    m_castling &= CastlingMask[m.From] & CastlingMask[m.To];
    m_epSquare = moving == Pawn && (m.From ^ m.To) == 16 ? std::uint8_t((m.From + m.To) / 2) : NoSquare;
    m_side = ~m_side;
}

} // namespace tlm
