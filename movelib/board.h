#pragma once

#include "movelib/bitboard.h"

#include <cstdint>
#include <string_view>

namespace tlm {

enum CastlingRight : std::uint8_t { WhiteShort = 1, WhiteLong = 2, BlackShort = 4, BlackLong = 8 };

struct Move {
    enum Kind : std::uint8_t { Normal, EnPassant, Castling };

    std::uint8_t From = 0;
    std::uint8_t To = 0;                   // for castling the king's destination
    std::uint8_t Promotion = NoPieceType;  // a PieceType
    Kind Type = Normal;

    friend bool operator==(const Move &, const Move &) = default;
};

// The library's board: pieces as bitboards and by square, side to move,
// castling rights and the en-passant target square. Small enough to copy
// for each move played in a search.
class Board
{
public:
    static constexpr int MaxPiecesPerSide = 16;

    Board() { SetStart(); }

    void SetStart();
    // Reads a FEN text (the move counters may be missing). Refuses a text
    // that is malformed or not a position that can occur in a game: not
    // exactly one king each, more than MaxPiecesPerSide pieces of a side,
    // pawns on the first or last rank, or the side not to move in check. Castling rights without king and rook at home and an
    // impossible en-passant square are dropped.
    bool SetFromFEN(std::string_view fen);

    Color SideToMove() const { return m_side; }
    std::uint8_t CastlingRights() const { return m_castling; }
    int EnPassantSquare() const { return m_epSquare; }

    PieceType TypeOn(int s) const { return PieceType(m_mailbox[s] & 7); }
    Bitboard Occupied() const { return m_byColor[White] | m_byColor[Black]; }
    Bitboard Pieces(Color c) const { return m_byColor[c]; }
    Bitboard Pieces(Color c, PieceType t) const { return m_byColor[c] & m_byType[t]; }
    int KingSquare(Color c) const { return Lsb(Pieces(c, King)); }

    // The pieces of colour by that attack s when the board's squares in
    // occupied are the occupied ones.
    Bitboard Attackers(int s, Color by, Bitboard occupied) const;
    bool InCheck() const { return Attackers(KingSquare(m_side), ~m_side, Occupied()) != 0; }

    // Castling that the side to move may play now: the right, an empty path,
    // and a king neither in check nor passing or landing on an attacked square.
    bool CanCastle(CastlingRight right) const;
    // Whether a pseudo-legal move keeps the mover's king safe. Castling moves
    // are checked by CanCastle instead.
    bool IsLegal(Move m) const;

    void Play(Move m);

private:
    struct EmptyBoard {};
    explicit Board(EmptyBoard) {}

    void Put(int s, Color c, PieceType t);
    void Remove(int s);
    bool SetPlacement(std::string_view field);

    Bitboard m_byType[7] = {};
    Bitboard m_byColor[2] = {};
    std::uint8_t m_mailbox[64] = {};  // PieceType | Color << 3; 0 = empty
    Color m_side = White;
    std::uint8_t m_castling = 0;
    std::uint8_t m_epSquare = NoSquare;
};

} // namespace tlm
