// TChessPosition::FromFEN on any text. A text it reads gives a position whose
// ToFEN text reads back to the same board (unless that text's placement is
// longer than the 64 characters the reader looks at); a text the move
// library's strict reader takes gives the same pieces in both readers.
#include "chess/position.h"
#include "fuzz/fuzz_check.h"
#include "movelib/board.h"

#include <cstring>
#include <string_view>

namespace {

bool IsStoredEnPassant(Square q)
{
    return q == 0 || (q >= 20 && q <= 27) || (q >= 50 && q <= 57);
}

// A placement of 1 to 64 characters and single blanks between the first four
// fields: the form both readers split alike.
bool BothReadersSplitAlike(std::string_view text)
{
    const auto blank = text.find(' ');
    if (blank == 0 || blank == std::string_view::npos || blank > 64)
        return false;
    int fields = 1;
    for (std::size_t i = blank; i < text.size() && fields < 4; ++i) {
        if (text[i] != ' ')
            continue;
        if (i + 1 >= text.size() || text[i + 1] == ' ')
            return false;
        ++fields;
    }
    return fields == 4;
}

tlm::PieceType TypeOf(PieceCode piece)
{
    return tlm::PieceType(IsBlackPiece(piece) ? piece - Piece::BlackOffset : piece);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    TChessPosition position;
    PackedPosition out;
    std::memset(&out, 0xA5, sizeof out);
    const PackedPosition untouched = out;
    const bool read = position.FromFEN(text, out);
    if (!read) {
        FUZZ_CHECK(out == untouched);
    } else {
        FUZZ_CHECK(out == position.Packed());
        FUZZ_CHECK((out.State & 0xE0) == 0);
        FUZZ_CHECK(IsStoredEnPassant(position.EnPassant()));
        const std::string fen = position.ToFEN();
        FUZZ_CHECK(fen.find('?') == std::string::npos);

        if (fen.find(' ') <= 64) {
            TChessPosition again;
            PackedPosition reread;
            FUZZ_CHECK(again.FromFEN(fen, reread));
            FUZZ_CHECK(std::memcmp(reread.Board, out.Board, sizeof out.Board) == 0);
            FUZZ_CHECK((reread.State & 0x1F) == (out.State & 0x1F));
            FUZZ_CHECK(IsStoredEnPassant(again.EnPassant()));
        }
    }

    tlm::Board board;
    if (board.SetFromFEN(text) && BothReadersSplitAlike(text)) {
        FUZZ_CHECK(read);
        FUZZ_CHECK(position.WhiteToMove() == (board.SideToMove() == tlm::White));
        for (int rank = 0; rank < 8; ++rank) {
            for (int file = 0; file < 8; ++file) {
                const PieceCode piece = position.GetPiece(MakeSquare(rank, file));
                const int s = tlm::MakeSquare(rank, file);
                FUZZ_CHECK(TypeOf(piece) == board.TypeOn(s));
                if (piece != Piece::Empty)
                    FUZZ_CHECK(IsBlackPiece(piece) == bool(board.Pieces(tlm::Black) & tlm::SquareBit(s)));
            }
        }
    }
    return 0;
}
