#pragma once

#include "chess/encodings.h"

#include <cstdint>
#include <string>
#include <string_view>

// A position as one block of plain data: 64 squares at 4 bits each and the
// state word. Board word i / 4 holds linear square i = rank * 8 + file, the
// square with i % 4 = 0 in bits 12..15 down to i % 4 = 3 in bits 0..3.
// State: bits 0..3 castling rights K, Q, k, q; bit 4 White to move;
// bits 8..15 the en-passant square (0 = none).
struct PackedPosition {
    std::uint16_t Board[16] = {};
    std::uint16_t State = 0;

    friend bool operator==(const PackedPosition &, const PackedPosition &) = default;
};

// One chess position. It stores and converts and knows no rules; those live
// in chess/rules.h.
class TChessPosition
{
public:
    TChessPosition();

    void SetStartPosition();

    static bool IsOffBoard(Square q);
    // 0 for an off-board square.
    PieceCode GetPiece(Square q) const;
    // An off-board square is ignored.
    void SetPiece(PieceCode piece, Square q);

    void SetCastleWhiteShort(bool allowed);
    void SetCastleWhiteLong(bool allowed);
    void SetCastleBlackShort(bool allowed);
    void SetCastleBlackLong(bool allowed);
    bool CastleWhiteShort() const;
    bool CastleWhiteLong() const;
    bool CastleBlackShort() const;
    bool CastleBlackLong() const;

    void SetWhiteToMove(bool whiteToMove);
    bool WhiteToMove() const;

    void SetEnPassant(Square q);
    Square EnPassant() const;

    PackedPosition &Packed() { return m_data; }
    const PackedPosition &Packed() const { return m_data; }

    // Reads the placement field, the text up to its first blank (at most 64
    // characters of it); false when that does not fill the 64 squares.
    bool SetPlacement(std::string_view text);

    // Placement, side, castling and the stored en-passant square, with a
    // final blank and no move counters.
    std::string ToFEN() const;
    // Reads a position text; on success copies the result to out as well.
    // On failure out is untouched and this position may be partly changed.
    // The en-passant square is stored as the text names it, the square the
    // pawn passed over (e3), when it lies on the rank the side to move can
    // capture on; otherwise none is stored.
    bool FromFEN(std::string_view text, PackedPosition &out);

private:
    void SetStateBit(int bit, bool on);
    bool StateBit(int bit) const { return (m_data.State >> bit) & 1; }

    PackedPosition m_data;
};
