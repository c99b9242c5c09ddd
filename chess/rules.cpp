#include "chess/rules.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

bool LastMoveWasEnPassant = false;

namespace {

constexpr Square NoSquare = 255;

bool WhiteStarts(const GameRecord &g) { return g.StartWhiteToMove || !g.Setup; }

// The blank-separated field of the set-up text at index (0 the placement).
std::string_view SetupField(const GameRecord &g, int index)
{
    std::string_view field = g.SetupFEN.view();
    for (int skip = 0; skip < index; ++skip) {
        const auto blank = field.find(' ');
        field = blank == std::string_view::npos ? std::string_view() : field.substr(blank + 1);
    }
    return field.substr(0, field.find(' '));
}

// The full-move number of the set-up text; 1 without a set-up or a number of
// at least 1.
std::int32_t SetupFullMoveNumber(const GameRecord &g)
{
    if (!g.Setup)
        return 1;
    std::int32_t number = 0;
    for (const char c : SetupField(g, 5)) {
        if (c < '0' || c > '9' || number > 100000)
            return 1;
        number = number * 10 + (c - '0');
    }
    return std::max<std::int32_t>(number, 1);
}

bool CastlingRightHolds(const GameRecord &g, char letter, PieceCode king, Square corner)
{
    if (g.Setup && SetupField(g, 2).find(letter) == std::string_view::npos)
        return false;
    const int played = std::min<int>(g.CurrentPly, MoveList::Capacity);
    for (int n = 1; n <= played; ++n) {
        const MoveRecord &m = g.Moves[n];
        if (m.Piece == king || m.From == corner || m.To == corner)
            return false;
    }
    return true;
}

bool SameColour(PieceCode a, PieceCode b)
{
    return (IsWhitePiece(a) && IsWhitePiece(b)) || (IsBlackPiece(a) && IsBlackPiece(b));
}

int Sign(int v) { return (v > 0) - (v < 0); }

// No piece stands strictly between from and to, which lie on one line.
bool PathIsClear(const TChessPosition &position, Square from, Square to)
{
    const int step = Sign(RankOf(to) - RankOf(from)) * 10 + Sign(FileOf(to) - FileOf(from));
    for (int q = from + step; q != to; q += step) {
        if (position.GetPiece(Square(q)) != Piece::Empty)
            return false;
    }
    return true;
}

// Pawn moves for either colour: forward is +10 for White, -10 for Black.
bool PawnMoveIsLegal(const TChessPosition &position, Square from, Square to, bool white)
{
    const int forward = white ? 10 : -10;
    const int d = (to - from) * (white ? 1 : -1);
    const PieceCode target = position.GetPiece(to);
    const int startRank = white ? 1 : 6;
    const int enPassantRank = white ? 4 : 3;
    const PieceCode enemyPawn = white ? Piece::BlackPawn : Piece::WhitePawn;
    switch (d) {
    case 10:
        return target == Piece::Empty;
    case 20:
        return RankOf(from) == startRank && target == Piece::Empty &&
               position.GetPiece(Square(from + forward)) == Piece::Empty;
    case 9:
    case 11: {
        if (target == Piece::Empty) {
            const Square beside = Square(from + (to - from - forward));
            if (RankOf(from) == enPassantRank && position.GetPiece(beside) == enemyPawn &&
                position.EnPassant() == to) {
                LastMoveWasEnPassant = true;
                return true;
            }
            return false;
        }
        return white ? IsBlackPiece(target) : IsWhitePiece(target);
    }
    default:
        return false;
    }
}

bool KingMoveIsLegal(const GameRecord &g, const TChessPosition &position, Square from, Square to,
                     bool white)
{
    const Square home = white ? 4 : 74;
    const PieceCode rook = white ? Piece::WhiteRook : Piece::BlackRook;
    auto empty = [&](int q) { return position.GetPiece(Square(home + q)) == Piece::Empty; };
    if (from == home && to == home + 2 &&
        (white ? CanCastleWhiteShort(g) : CanCastleBlackShort(g)) &&
        position.GetPiece(Square(home + 3)) == rook && empty(1) && empty(2))
        return true;
    if (from == home && to == home - 2 &&
        (white ? CanCastleWhiteLong(g) : CanCastleBlackLong(g)) &&
        position.GetPiece(Square(home - 4)) == rook && empty(-1) && empty(-2) && empty(-3))
        return true;
    return std::abs(FileOf(to) - FileOf(from)) <= 1 && std::abs(RankOf(to) - RankOf(from)) <= 1;
}

Square KingSquare(const TChessPosition &position, PieceCode king)
{
    Square found = NoSquare;
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            if (position.GetPiece(MakeSquare(rank, file)) == king)
                found = MakeSquare(rank, file);
    return found;
}

} // namespace

bool SideToMoveIsWhite(const GameRecord &g)
{
    const bool even = g.CurrentPly % 2 == 0;
    return WhiteStarts(g) ? even : !even;
}

bool PlyIsWhite(const GameRecord &g, std::int32_t n)
{
    const bool odd = n % 2 != 0;
    return WhiteStarts(g) ? odd : !odd;
}

std::int32_t FullMoveNumber(const GameRecord &g, std::int32_t n)
{
    const std::int32_t counted = (n + (WhiteStarts(g) ? 1 : 2)) / 2;
    return counted + SetupFullMoveNumber(g) - 1;
}

bool CanCastleWhiteShort(const GameRecord &g) { return CastlingRightHolds(g, 'K', Piece::WhiteKing, 7); }
bool CanCastleWhiteLong(const GameRecord &g) { return CastlingRightHolds(g, 'Q', Piece::WhiteKing, 0); }
bool CanCastleBlackShort(const GameRecord &g) { return CastlingRightHolds(g, 'k', Piece::BlackKing, 77); }
bool CanCastleBlackLong(const GameRecord &g) { return CastlingRightHolds(g, 'q', Piece::BlackKing, 70); }

std::string CastlingText(const GameRecord &g)
{
    std::string text;
    if (CanCastleWhiteShort(g)) text += 'K';
    if (CanCastleWhiteLong(g)) text += 'Q';
    if (CanCastleBlackShort(g)) text += 'k';
    if (CanCastleBlackLong(g)) text += 'q';
    return text.empty() ? "-" : text;
}

bool IsMoveLegal(const GameRecord &g, const TChessPosition &position, const MoveRecord &move,
                 bool enforceSide)
{
    LastMoveWasEnPassant = false;
    const Square from = move.From, to = move.To;
    const PieceCode p = position.GetPiece(from);
    // An off-board destination would let moves wrap around the board's edge.
    if (p == Piece::Empty || TChessPosition::IsOffBoard(to))
        return false;
    const PieceCode t = position.GetPiece(to);
    if (enforceSide) {
        if ((IsWhitePiece(p) && t == Piece::BlackKing) || (IsBlackPiece(p) && t == Piece::WhiteKing))
            return false;
        if (IsWhitePiece(p) != SideToMoveIsWhite(g))
            return false;
    }
    if (SameColour(p, t))
        return false;

    const int dr = RankOf(to) - RankOf(from), df = FileOf(to) - FileOf(from);
    const bool diagonal = dr != 0 && std::abs(dr) == std::abs(df);
    const bool straight = (dr == 0) != (df == 0);
    switch (IsBlackPiece(p) ? p - Piece::BlackOffset : p) {
    case Piece::WhitePawn:
        return PawnMoveIsLegal(position, from, to, IsWhitePiece(p));
    case Piece::WhiteKnight:
        return (std::abs(df) == 1 && std::abs(dr) == 2) || (std::abs(df) == 2 && std::abs(dr) == 1);
    case Piece::WhiteBishop:
        return diagonal && PathIsClear(position, from, to);
    case Piece::WhiteRook:
        return straight && PathIsClear(position, from, to);
    case Piece::WhiteQueen:
        return (diagonal || straight) && PathIsClear(position, from, to);
    case Piece::WhiteKing:
        return KingMoveIsLegal(g, position, from, to, IsWhitePiece(p));
    default:
        return false;
    }
}

bool SquareAttacked(const GameRecord &g, const TChessPosition &position, Square q)
{
    MoveRecord probe;
    probe.To = q;
    for (int rank = 0; rank < 8; ++rank) {
        for (int file = 0; file < 8; ++file) {
            probe.From = MakeSquare(rank, file);
            if (IsMoveLegal(g, position, probe, false))
                return true;
        }
    }
    return false;
}

bool SideToMoveInCheck(const GameRecord &g, const TChessPosition &position)
{
    const PieceCode king = SideToMoveIsWhite(g) ? Piece::WhiteKing : Piece::BlackKing;
    return SquareAttacked(g, position, KingSquare(position, king));
}

bool SideNotToMoveInCheck(const GameRecord &g, const TChessPosition &position)
{
    const PieceCode king = SideToMoveIsWhite(g) ? Piece::BlackKing : Piece::WhiteKing;
    return SquareAttacked(g, position, KingSquare(position, king));
}
