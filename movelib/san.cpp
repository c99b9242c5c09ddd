#include "movelib/san.h"

#include "movelib/movegen.h"
#include "movelib/tlmpgn32.h"

namespace tlm {
namespace {

constexpr std::string_view PieceLetters = " PNBRQK";
constexpr std::size_t LongestSan = 16;

bool IsFile(char c) { return c >= 'a' && c <= 'h'; }
bool IsRank(char c) { return c >= '1' && c <= '8'; }

PieceType PieceFromLetter(char c)
{
    const auto found = PieceLetters.find(c);
    return found == std::string_view::npos || found < 2 ? NoPieceType : PieceType(found);
}

std::int32_t ParseCastling(const Board &board, bool kingSide, Move &move)
{
    const bool white = board.SideToMove() == White;
    const CastlingRight right = kingSide ? (white ? WhiteShort : BlackShort) : (white ? WhiteLong : BlackLong);
    if (!board.CanCastle(right))
        return TLM_IllegalMove;
    const int king = board.KingSquare(board.SideToMove());
    move = {std::uint8_t(king), std::uint8_t(kingSide ? king + 2 : king - 2), NoPieceType, Move::Castling};
    return TLM_NoError;
}

// The squares from which a pawn of the side to move reaches to: straight
// ahead onto an empty square, or diagonally when it captures.
Bitboard PawnSources(const Board &board, int to, bool capture)
{
    const Color us = board.SideToMove();
    const Bitboard pawns = board.Pieces(us, Pawn);
    if (capture) {
        const bool target = (board.Pieces(~us) & SquareBit(to)) || to == board.EnPassantSquare();
        return target ? PawnAttacks(~us, to) & pawns : 0;
    }
    if (board.Occupied() & SquareBit(to))
        return 0;
    const int back = us == White ? -8 : 8;
    const int one = to + back;
    if (one < 0 || one > 63)
        return 0;
    if (pawns & SquareBit(one))
        return SquareBit(one);
    const bool doubleStepRank = RankOf(to) == (us == White ? 3 : 4);
    if (doubleStepRank && !(board.Occupied() & SquareBit(one)))
        return pawns & SquareBit(one + back);
    return 0;
}

Bitboard PieceSources(const Board &board, PieceType type, int to)
{
    const Bitboard occupied = board.Occupied();
    Bitboard reach = 0;
    switch (type) {
    case Knight: reach = KnightAttacks(to); break;
    case Bishop: reach = BishopAttacks(to, occupied); break;
    case Rook: reach = RookAttacks(to, occupied); break;
    case Queen: reach = BishopAttacks(to, occupied) | RookAttacks(to, occupied); break;
    case King: reach = KingAttacks(to); break;
    default: break;
    }
    return reach & board.Pieces(board.SideToMove(), type);
}

bool GivesCheck(const Board &board, Move move, bool &mate)
{
    Board after = board;
    after.Play(move);
    const bool check = after.InCheck();
    mate = check && LegalMoves(after).Size() == 0;
    return check;
}

} // namespace

std::int32_t ParseSan(const Board &board, std::string_view san, Move &move)
{
    if (san.size() > LongestSan)
        return TLM_InvalidParameter;
    while (!san.empty() && std::string_view("+#!?").find(san.back()) != std::string_view::npos)
        san.remove_suffix(1);
    if (san == "O-O" || san == "0-0")
        return ParseCastling(board, true, move);
    if (san == "O-O-O" || san == "0-0-0")
        return ParseCastling(board, false, move);
    if (san.empty())
        return TLM_InvalidField;

    PieceType type = PieceFromLetter(san.front());
    if (type != NoPieceType)
        san.remove_prefix(1);
    else
        type = Pawn;

    PieceType promotion = NoPieceType;
    if (!san.empty() && (san.back() == '=' || (san.back() >= 'A' && san.back() <= 'Z'))) {
        promotion = san.back() == '=' ? NoPieceType : PieceFromLetter(san.back());
        if (type != Pawn || promotion == NoPieceType || promotion == King)
            return TLM_InvalidPieceType;
        san.remove_suffix(1);
        if (!san.empty() && san.back() == '=')
            san.remove_suffix(1);
    }

    if (san.size() < 2 || !IsFile(san[san.size() - 2]) || !IsRank(san.back()))
        return TLM_InvalidField;
    const int to = MakeSquare(san.back() - '1', san[san.size() - 2] - 'a');
    san.remove_suffix(2);
    const bool capture = !san.empty() && san.back() == 'x';
    if (capture)
        san.remove_suffix(1);

    int fromFile = -1, fromRank = -1;
    if (!san.empty() && IsFile(san.front())) {
        fromFile = san.front() - 'a';
        san.remove_prefix(1);
    }
    if (!san.empty() && IsRank(san.front())) {
        fromRank = san.front() - '1';
        san.remove_prefix(1);
    }
    if (!san.empty())
        return TLM_InvalidField;
    // A pawn names its file exactly when it captures, and never its rank.
    if (type == Pawn && (capture != (fromFile >= 0) || fromRank >= 0))
        return TLM_InvalidField;
    Bitboard named = ~Bitboard(0);
    if (fromFile >= 0)
        named &= FileBB(fromFile);
    if (fromRank >= 0)
        named &= RankBB(fromRank);

    const bool lastRank = RankOf(to) == (board.SideToMove() == White ? 7 : 0);
    if (type == Pawn && lastRank != (promotion != NoPieceType))
        return TLM_InvalidPieceType;
    if (board.Pieces(board.SideToMove()) & SquareBit(to))
        return TLM_IllegalMove;

    Bitboard sources = (type == Pawn ? PawnSources(board, to, capture) : PieceSources(board, type, to)) & named;
    int found = 0;
    while (sources) {
        Move candidate{std::uint8_t(PopLsb(sources)), std::uint8_t(to), std::uint8_t(promotion)};
        if (type == Pawn && to == board.EnPassantSquare())
            candidate.Type = Move::EnPassant;
        if (board.IsLegal(candidate)) {
            move = candidate;
            ++found;
        }
    }
    if (found == 0)
        return TLM_IllegalMove;
    return found == 1 ? TLM_NoError : TLM_AmbiguousMove;
}

std::string ToSan(const Board &board, Move move)
{
    std::string san;
    const PieceType type = board.TypeOn(move.From);
    if (move.Type == Move::Castling) {
        san = move.To > move.From ? "O-O" : "O-O-O";
    } else {
        const bool capture = move.Type == Move::EnPassant || (board.Occupied() & SquareBit(move.To));
        if (type == Pawn) {
            if (capture)
                san += char('a' + FileOf(move.From));
        } else {
            san += PieceLetters[type];
            Bitboard others = 0;
            for (const Move m : LegalMoves(board))
                if (m.To == move.To && m.From != move.From && board.TypeOn(m.From) == type)
                    others |= SquareBit(m.From);
            if (others) {
                const bool fileUnique = !(others & FileBB(FileOf(move.From)));
                const bool rankUnique = !(others & RankBB(RankOf(move.From)));
                if (fileUnique || !rankUnique)
                    san += char('a' + FileOf(move.From));
                if (!fileUnique)
                    san += char('1' + RankOf(move.From));
            }
        }
        if (capture)
            san += 'x';
        san += char('a' + FileOf(move.To));
        san += char('1' + RankOf(move.To));
        if (move.Promotion != NoPieceType) {
            san += '=';
            san += PieceLetters[move.Promotion];
        }
    }
    bool mate = false;
    if (GivesCheck(board, move, mate))
        san += mate ? '#' : '+';
    return san;
}

} // namespace tlm
