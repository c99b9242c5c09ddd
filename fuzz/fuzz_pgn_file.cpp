// The PGN reader on whole files: every game ReadGame finds is parsed with
// ParseMoves. The moves it records are legal moves, and the position it keeps
// after each half-move is the one the move library reached.
#include "chess/pgn_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scratch_folder.h"
#include "movelib/board.h"
#include "movelib/movegen.h"

#include <fstream>

namespace {

// The placement field of board, as ToFEN writes it.
std::string Placement(const tlm::Board &board)
{
    TChessPosition position;
    for (int s = 0; s < 64; ++s) {
        const tlm::PieceType type = board.TypeOn(s);
        const bool black = board.Pieces(tlm::Black) & tlm::SquareBit(s);
        const PieceCode piece = type == tlm::NoPieceType ? Piece::Empty : PieceCode(type + (black ? Piece::BlackOffset : 0));
        position.SetPiece(piece, MakeSquare(tlm::RankOf(s), tlm::FileOf(s)));
    }
    const std::string fen = position.ToFEN();
    return fen.substr(0, fen.find(' '));
}

std::string CastlingField(const tlm::Board &board)
{
    std::string text;
    for (const auto &[right, letter] : {std::pair{tlm::WhiteShort, 'K'}, {tlm::WhiteLong, 'Q'},
                                        {tlm::BlackShort, 'k'}, {tlm::BlackLong, 'q'}})
        if (board.CastlingRights() & right)
            text += letter;
    return text.empty() ? "-" : text;
}

int BoardSquare(Square q) { return tlm::MakeSquare(RankOf(q), FileOf(q)); }

tlm::PieceType TypeOf(PieceCode piece)
{
    return tlm::PieceType(IsBlackPiece(piece) ? piece - Piece::BlackOffset : piece);
}

// The legal move of board that the recorded half-move stands for.
tlm::Move LegalMoveOf(const tlm::Board &board, const MoveRecord &recorded)
{
    const tlm::PieceType promotion = TypeOf(recorded.Promotion);
    for (const tlm::Move m : tlm::LegalMoves(board)) {
        if (m.From == BoardSquare(recorded.From) && m.To == BoardSquare(recorded.To)
            && (m.Type == tlm::Move::EnPassant) == recorded.EnPassantCapture && m.Promotion == promotion)
            return m;
    }
    FUZZ_CHECK(!"the recorded half-move is a legal move");
    return {};
}

void CheckGame(const TPGN &pgn)
{
    const GameRecord &game = pgn.Game();
    FUZZ_CHECK(game.RecordId == "TLM300");
    FUZZ_CHECK(game.MoveCount <= TPGN::MaxPlies);

    // The library's board starts where the reader's position does, unless
    // the two readers of the set-up text disagree; the moves are then legal
    // moves of the library's board only. A set-up that either reader cannot
    // place holds no moves.
    // The library gets the set-up as a C text, which ends at a NUL.
    const std::string_view setup = game.SetupFEN.view();
    tlm::Board board;
    if (game.Setup
        && (!board.SetFromFEN(setup.substr(0, setup.find('\0'))) || !TChessPosition().SetPlacement(setup))) {
        FUZZ_CHECK(game.MoveCount == 0);
        return;
    }
    bool sameStart = !game.Setup;
    if (game.Setup) {
        TChessPosition start;
        start.Packed() = game.Position;
        tlm::Board reread;
        sameStart = reread.SetFromFEN(start.ToFEN()) && Placement(reread) == Placement(board)
                 && start.WhiteToMove() == (board.SideToMove() == tlm::White);
    }

    for (int ply = 1; ply <= game.MoveCount; ++ply) {
        const MoveRecord &recorded = game.Moves[ply];
        const tlm::Move move = LegalMoveOf(board, recorded);
        if (sameStart)
            FUZZ_CHECK(TypeOf(recorded.Piece) == board.TypeOn(move.From));
        board.Play(move);
        if (!sameStart)
            continue;
        const std::string &after = pgn.PositionAfter(ply);
        const std::string side = board.SideToMove() == tlm::White ? " w " : " b ";
        FUZZ_CHECK(after.starts_with(Placement(board) + side));
        if (!game.Setup)
            FUZZ_CHECK(after.substr(after.find(side) + 3).starts_with(CastlingField(board) + ' '));
    }
    if (sameStart)
        FUZZ_CHECK(pgn.Position().ToFEN().starts_with(Placement(board) + ' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const ScratchFolder folder("quorval-fuzz-pgn");
    const std::filesystem::path file = folder.path() / "fuzz.pgn";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data),
                                                                  std::streamsize(size));

    TPGN pgn(folder.path(), false);
    pgn.InitPGN();
    FUZZ_CHECK(pgn.OpenPGN(file));
    while (pgn.ReadGame(true)) {
        pgn.ParseMoves(false);
        CheckGame(pgn);
    }
    FUZZ_CHECK(pgn.ClosePGN());
    return 0;
}
