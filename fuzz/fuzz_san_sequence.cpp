// TLMpgn2move on long sequences of SAN tokens. The input's bytes choose each
// token: a legal move in one of the spellings the library accepts, or any
// text. The target plays what the library accepts on a board of its own, so
// every later token is checked against the position the games reached.
#include "fuzz/san_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <optional>

namespace {

// Start positions: the initial one and a few with castling, en passant and
// promotions at hand.
constexpr std::array<const char *, 4> StartPositions{
    "",
    "r3k2r/pppq1ppp/2np1n2/2b1p1B1/2B1P1b1/2NP1N2/PPPQ1PPP/R3K2R w KQkq - 0 8",
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "1n2k3/P5P1/8/8/8/8/1p4p1/4K1N1 w - - 0 1",
};

// A spelling of the legal move's standard SAN that the library also reads:
// without or with other check marks, with annotation marks, castling with
// zeros, promotion without "=", or a piece's full from-square.
std::string Spelling(const tlm::Board &board, tlm::Move move, std::uint8_t choice)
{
    std::string san = tlm::ToSan(board, move);
    if (choice & 1) {
        while (!san.empty() && (san.back() == '+' || san.back() == '#'))
            san.pop_back();
    }
    if (choice & 2)
        san += (choice & 4) ? "!?" : "+";
    if ((choice & 8) && san.starts_with("O-O")) {
        for (char &c : san)
            if (c == 'O')
                c = '0';
    }
    if (const auto eq = san.find('='); (choice & 16) && eq != std::string::npos)
        san.erase(eq, 1);
    if ((choice & 32) && move.Type != tlm::Move::Castling && board.TypeOn(move.From) != tlm::Pawn) {
        const std::string from{char('a' + tlm::FileOf(move.From)), char('1' + tlm::RankOf(move.From))};
        const auto to = san.find_last_of("abcdefgh");
        const auto named = san[to - 1] == 'x' ? to - 1 : to;
        san.replace(1, named - 1, from);
    }
    return san;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const char *start = input.PickValueInArray(StartPositions);
    tlm::Board board;
    TLMpgn2move("", "");
    if (*start) {
        FUZZ_CHECK(board.SetFromFEN(start));
        TLMpgn2move(start, "");  // sets the board up; the empty move is refused
    }

    while (input.remaining_bytes() > 0) {
        const tlm::MoveList legal = tlm::LegalMoves(board);
        const std::uint8_t kind = input.ConsumeIntegral<std::uint8_t>();
        std::string token;
        std::optional<tlm::Move> chosen;
        if (kind < 224 && legal.Size() > 0) {
            chosen = legal.begin()[input.ConsumeIntegralInRange<int>(0, legal.Size() - 1)];
            token = Spelling(board, *chosen, input.ConsumeIntegral<std::uint8_t>());
        } else {
            token = input.ConsumeRandomLengthString(24);
            token = token.substr(0, token.find('\0'));
        }

        const std::uint32_t result = TLMpgn2move("", token.c_str());
        const std::int32_t error = TLMgetRCMGerrno();
        if (token.empty()) {
            // Two empty texts put the library's board back to the start.
            FUZZ_CHECK(error == TLM_NoError && result == 0);
            board = tlm::Board();
            continue;
        }
        if (chosen)
            FUZZ_CHECK(error == TLM_NoError);
        if (error == TLM_NoError) {
            const tlm::Move played = CheckAcceptedSan(board, legal, token, result);
            if (chosen)
                FUZZ_CHECK(played == *chosen);
            else
                CheckStandardSanReadsBack(board, played);
            board.Play(played);
        } else {
            FUZZ_CHECK(error > TLM_NoError && error < TLM_InvalidSetup);
            CheckRefusedSan(board, legal, token);
        }
    }
    return 0;
}
