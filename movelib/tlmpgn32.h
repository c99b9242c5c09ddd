#pragma once

#include <cstdint>

// The move-conversion library: turns a move in standard algebraic notation
// into squares on a board it keeps itself.

#if defined(_WIN32)
#define TLM_CALL __stdcall
#if defined(TLMPGN32_BUILDING)
#define TLM_EXPORT __declspec(dllexport)
#else
#define TLM_EXPORT __declspec(dllimport)
#endif
#else
#define TLM_CALL
#define TLM_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Plays san on the library's board and returns the move: byte 0 the
// from-square, byte 1 the to-square (rank * 10 + file; for castling the
// king's move), byte 2 bit 0 set for an en-passant capture.
// A non-empty setupFen first replaces the board with that position; two
// empty texts reset it to the initial position (the result is then 0).
// Check TLMgetRCMGerrno after every call.
TLM_EXPORT std::uint32_t TLM_CALL TLMpgn2move(const char *setupFen, const char *san);

// The error number of the last call: 0 when the move was legal and played.
TLM_EXPORT std::int32_t TLM_CALL TLMgetRCMGerrno();

}

// Error numbers beyond the first six are this library's own.
enum TLMError : std::int32_t {
    TLM_NoError = 0,
    TLM_MemoryAllocation = 1,
    TLM_InvalidParameter = 2,  // a null pointer, or a text too long to be a move
    TLM_InvalidColor = 3,
    TLM_InvalidField = 4,      // the text is not a move in SAN
    TLM_InvalidPieceType = 5,  // missing, misplaced or impossible promotion piece
    TLM_IllegalMove = 6,       // no piece of the side to move can make it
    TLM_AmbiguousMove = 7,     // more than one piece can make it
    TLM_InvalidSetup = 8,      // the set-up text is not a legal position
};
