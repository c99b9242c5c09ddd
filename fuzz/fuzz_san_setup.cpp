// TLMpgn2move on a set-up text and a SAN text: the input's first line is the
// set-up, the rest the move. An accepted move is legal on the set-up board;
// a refused one is not the SAN of a legal move there.
#include "fuzz/san_check.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const auto lineEnd = input.find('\n');
    // As C texts, cut at their first NUL like any caller's.
    const std::string setup(input.substr(0, lineEnd).substr(0, input.substr(0, lineEnd).find('\0')));
    const std::string rest = lineEnd == std::string_view::npos ? std::string() : std::string(input.substr(lineEnd + 1));
    const std::string san = rest.substr(0, rest.find('\0'));

    TLMpgn2move("", "");
    const std::uint32_t result = TLMpgn2move(setup.c_str(), san.c_str());
    const std::int32_t error = TLMgetRCMGerrno();

    tlm::Board board;
    if (!setup.empty() && !board.SetFromFEN(setup)) {
        FUZZ_CHECK(error == TLM_InvalidSetup);
        return 0;
    }
    if (setup.empty() && san.empty()) {
        FUZZ_CHECK(error == TLM_NoError && result == 0);
        return 0;
    }
    const tlm::MoveList legal = tlm::LegalMoves(board);
    if (error == TLM_NoError) {
        CheckStandardSanReadsBack(board, CheckAcceptedSan(board, legal, san, result));
    } else {
        FUZZ_CHECK(error > TLM_NoError && error < TLM_InvalidSetup);
        CheckRefusedSan(board, legal, san);
    }
    return 0;
}
