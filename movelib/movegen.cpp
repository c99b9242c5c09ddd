#include "movelib/movegen.h"

namespace tlm {
namespace {

constexpr PieceType Promotions[] = {Queen, Rook, Bishop, Knight};

void AddIfLegal(const Board &board, MoveList &list, Move m)
{
    if (board.IsLegal(m))
        list.Add(m);
}

void AddPawnMoves(const Board &board, MoveList &list, int from, Bitboard targets)
{
    const int lastRank = board.SideToMove() == White ? 7 : 0;
    while (targets) {
        const int to = PopLsb(targets);
        if (RankOf(to) == lastRank) {
            for (const PieceType promotion : Promotions)
                AddIfLegal(board, list, {std::uint8_t(from), std::uint8_t(to), std::uint8_t(promotion)});
        } else {
            const Move::Kind kind = to == board.EnPassantSquare() ? Move::EnPassant : Move::Normal;
            AddIfLegal(board, list, {std::uint8_t(from), std::uint8_t(to), NoPieceType, kind});
        }
    }
}

// Squares a pawn on from may go to: one or two steps ahead onto empty squares
// and diagonal captures, the en-passant square included.
Bitboard PawnTargets(const Board &board, int from)
{
    const Color us = board.SideToMove();
    const Bitboard empty = ~board.Occupied();
    const int forward = us == White ? 8 : -8;
    Bitboard targets = 0;
    if (empty & SquareBit(from + forward)) {
        targets |= SquareBit(from + forward);
        if (RankOf(from) == (us == White ? 1 : 6) && (empty & SquareBit(from + 2 * forward)))
            targets |= SquareBit(from + 2 * forward);
    }
    Bitboard capturable = board.Pieces(~us);
    if (board.EnPassantSquare() != NoSquare)
        capturable |= SquareBit(board.EnPassantSquare());
    return targets | (PawnAttacks(us, from) & capturable);
}

Bitboard PieceTargets(const Board &board, PieceType type, int from)
{
    const Bitboard occupied = board.Occupied();
    switch (type) {
    case Knight: return KnightAttacks(from);
    case Bishop: return BishopAttacks(from, occupied);
    case Rook: return RookAttacks(from, occupied);
    case Queen: return BishopAttacks(from, occupied) | RookAttacks(from, occupied);
    case King: return KingAttacks(from);
    default: return 0;
    }
}

} // namespace

MoveList LegalMoves(const Board &board)
{
    MoveList list;
    const Color us = board.SideToMove();
    const Bitboard own = board.Pieces(us);
    for (Bitboard pawns = board.Pieces(us, Pawn); pawns;) {
        const int from = PopLsb(pawns);
        AddPawnMoves(board, list, from, PawnTargets(board, from));
    }
    for (const PieceType type : {Knight, Bishop, Rook, Queen, King}) {
        for (Bitboard pieces = board.Pieces(us, type); pieces;) {
            const int from = PopLsb(pieces);
            for (Bitboard targets = PieceTargets(board, type, from) & ~own; targets;)
                AddIfLegal(board, list, {std::uint8_t(from), std::uint8_t(PopLsb(targets))});
        }
    }
    const CastlingRight shortRight = us == White ? WhiteShort : BlackShort;
    const CastlingRight longRight = us == White ? WhiteLong : BlackLong;
    const int king = board.KingSquare(us);
    if (board.CanCastle(shortRight))
        list.Add({std::uint8_t(king), std::uint8_t(king + 2), NoPieceType, Move::Castling});
    if (board.CanCastle(longRight))
        list.Add({std::uint8_t(king), std::uint8_t(king - 2), NoPieceType, Move::Castling});
    return list;
}

std::uint64_t Perft(const Board &board, int depth)
{
    const MoveList moves = LegalMoves(board);
    if (depth <= 1)
        return depth == 1 ? std::uint64_t(moves.Size()) : 1;
    std::uint64_t nodes = 0;
    for (const Move m : moves) {
        Board next = board;
        next.Play(m);
        nodes += Perft(next, depth - 1);
    }
    return nodes;
}

} // namespace tlm
