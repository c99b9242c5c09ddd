#pragma once

#include "chess/encodings.h"
#include "chess/position.h"
#include "chess/short_string.h"

#include <array>
#include <cstdint>
#include <type_traits>

// One half-move.
struct MoveRecord {
    enum DisambiguationBit : std::uint8_t { FromFileNamed = 0x01, FromRankNamed = 0x10 };

    Square From = 0;
    Square To = 0;                 // for castling the king's destination
    PieceCode Promotion = 0;       // in the mover's colour; 0 = none
    std::uint8_t Annotation = 0;   // 2 "#", 3 "!", 4 "!!", 5 "?", 6 "??", 7 "?!", 8 "!?", 9 "*"; 0, 1 none
    PieceCode Piece = 0;           // the moving piece
    PieceCode Captured = 0;        // what stood on To; 0 for en passant
    std::uint8_t Disambiguation = 0;
    bool EnPassantCapture = false;
    bool Check = false;            // check or mate
    double PreviousTime = 0;       // days since 1899-12-30; written by move entry only
    double MoveTime = 0;
};

// The half-moves of a game, numbered from 1 as in the move list; numbers
// outside 1..Capacity throw std::out_of_range.
class MoveList
{
public:
    static constexpr int Capacity = 400;

    MoveRecord &operator[](int n) { return Items.at(static_cast<std::size_t>(n - 1)); }
    const MoveRecord &operator[](int n) const { return Items.at(static_cast<std::size_t>(n - 1)); }

private:
    std::array<MoveRecord, Capacity> Items{};
};

// One game as a plain fixed-size value, copied as one block. GameRecord{} is
// the zeroed record: empty texts, all numbers 0.
struct GameRecord {
    ShortString<6> RecordId;        // "TLM300" in every record the PGN reader produces
    ShortString<40> Event;
    ShortString<40> Site;
    ShortString<40> Date;
    ShortString<2> Round;
    ShortString<40> White;
    ShortString<40> Black;
    ShortString<10> Result;
    ShortString<80> WhiteNA;
    ShortString<80> BlackNA;
    ShortString<4> WhiteELO;
    ShortString<4> BlackELO;
    ShortString<10> ECO;
    ShortString<3> WhiteCountry;
    ShortString<3> BlackCountry;
    bool Setup = false;             // the game starts from SetupFEN
    ShortString<89> SetupFEN;
    bool StartWhiteToMove = false;  // White moves first in the set-up position
    PackedPosition Position;        // set-up position; move entry stores the current one
    std::uint16_t MoveCount = 0;    // half-moves stored
    std::uint16_t CurrentPly = 0;   // half-moves played on the shown board
    MoveList Moves;                 // Moves[1..MoveCount]
};

static_assert(std::is_trivially_copyable_v<MoveRecord>);
static_assert(std::is_trivially_copyable_v<GameRecord>);
static_assert(std::is_trivially_copyable_v<PackedPosition>);
