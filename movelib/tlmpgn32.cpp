#include "movelib/tlmpgn32.h"

#include "movelib/board.h"
#include "movelib/san.h"

namespace {

// The library's state between calls: the board the next move is played on
// and the error number of the last call. Callers use one thread.
tlm::Board LibraryBoard;
std::int32_t LastError = TLM_NoError;

// A bit index as the caller's square: rank * 10 + file.
std::uint32_t CallerSquare(int s)
{
    return std::uint32_t(tlm::RankOf(s) * 10 + tlm::FileOf(s));
}

std::uint32_t Fail(std::int32_t error)
{
    LastError = error;
    return 0;
}

} // namespace

std::uint32_t TLM_CALL TLMpgn2move(const char *setupFen, const char *san)
{
    if (!setupFen || !san)
        return Fail(TLM_InvalidParameter);
    if (!*setupFen && !*san) {
        LibraryBoard.SetStart();
        return Fail(TLM_NoError);
    }
    if (*setupFen && !LibraryBoard.SetFromFEN(setupFen))
        return Fail(TLM_InvalidSetup);

    tlm::Move move;
    if (const std::int32_t error = tlm::ParseSan(LibraryBoard, san, move))
        return Fail(error);
    LibraryBoard.Play(move);
    LastError = TLM_NoError;
    const std::uint32_t enPassant = move.Type == tlm::Move::EnPassant ? 1 : 0;
    return CallerSquare(move.From) | CallerSquare(move.To) << 8 | enPassant << 16;
}

std::int32_t TLM_CALL TLMgetRCMGerrno()
{
    return LastError;
}
