#pragma once

#include "fuzz/fuzz_check.h"
#include "movelib/board.h"
#include "movelib/movegen.h"
#include "movelib/san.h"
#include "movelib/tlmpgn32.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

// Checks of what TLMpgn2move answers, against a board of the fuzz target's
// own that follows the library's board.

// The move the library played for san on board, whose legal moves are
// legal, after accepting it with result: one of the legal moves, made by the
// piece the text names, told with its squares and en-passant flag.
inline tlm::Move CheckAcceptedSan(const tlm::Board &board, const tlm::MoveList &legal, std::string_view san,
                                  std::uint32_t result)
{
    tlm::Move move;
    FUZZ_CHECK(tlm::ParseSan(board, san, move) == TLM_NoError);
    FUZZ_CHECK(std::find(legal.begin(), legal.end(), move) != legal.end());

    const auto callerSquare = [](int s) { return std::uint32_t(tlm::RankOf(s) * 10 + tlm::FileOf(s)); };
    const std::uint32_t enPassant = move.Type == tlm::Move::EnPassant ? 1 : 0;
    FUZZ_CHECK(result == (callerSquare(move.From) | callerSquare(move.To) << 8 | enPassant << 16));

    const bool castling = san.front() == 'O' || san.front() == '0';
    FUZZ_CHECK(castling == (move.Type == tlm::Move::Castling));
    if (!castling) {
        const auto letter = std::string_view("PNBRQK").find(san.front());
        const tlm::PieceType named = letter == std::string_view::npos ? tlm::Pawn : tlm::PieceType(letter + 1);
        FUZZ_CHECK(board.TypeOn(move.From) == named);
    }

    return move;
}

// The standard SAN of a legal move reads back as that move.
inline void CheckStandardSanReadsBack(const tlm::Board &board, tlm::Move move)
{
    tlm::Move reread;
    FUZZ_CHECK(tlm::ParseSan(board, tlm::ToSan(board, move), reread) == TLM_NoError);
    FUZZ_CHECK(reread == move);
}

// A text the library refused is not the standard SAN of a legal move. Only
// the moves to a square the text names, or castling, can be.
inline void CheckRefusedSan(const tlm::Board &board, const tlm::MoveList &legal, std::string_view san)
{
    const bool castling = san.starts_with("O-O");
    for (const tlm::Move m : legal) {
        const char to[] = {char('a' + tlm::FileOf(m.To)), char('1' + tlm::RankOf(m.To)), '\0'};
        const bool named = m.Type == tlm::Move::Castling ? castling : san.find(to) != std::string_view::npos;
        if (named)
            FUZZ_CHECK(tlm::ToSan(board, m) != san);
    }
}
