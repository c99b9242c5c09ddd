#include "board/move_entry.h"

#include "chess/rules.h"
#include "ui/prompts.h"

#include <QDateTime>

#include <algorithm>

namespace {

constexpr bool IsPawn(PieceCode p) { return p == Piece::WhitePawn || p == Piece::BlackPawn; }
constexpr bool OnLastRank(Square q) { return RankOf(q) == 7 || RankOf(q) == 0; }

// The local date-time as days since 1899-12-30.
double NowAsDays()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDate(1899, 12, 30).daysTo(now.date()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

// The rook's squares of a castling, recognised by king and squares.
struct RookJump {
    PieceCode rook = Piece::Empty;
    Square from = 0, to = 0;
};

RookJump CastlingRook(PieceCode king, Square from, Square to)
{
    if (king == Piece::WhiteKing && from == 4 && to == 6) return {Piece::WhiteRook, 7, 5};
    if (king == Piece::WhiteKing && from == 4 && to == 2) return {Piece::WhiteRook, 0, 3};
    if (king == Piece::BlackKing && from == 74 && to == 76) return {Piece::BlackRook, 77, 75};
    if (king == Piece::BlackKing && from == 74 && to == 72) return {Piece::BlackRook, 70, 73};
    return {};
}

} // namespace

TMoveEntry::TMoveEntry(GameRecord &game, TChessPosition &position, RedrawFunction redrawSquare)
    : m_game(game)
    , m_position(position)
    , m_redrawSquare(std::move(redrawSquare))
{
}

void TMoveEntry::redraw(Square q) const
{
    if (m_redrawSquare)
        m_redrawSquare(q);
}

void TMoveEntry::PutPiece(PieceCode piece, Square q, bool redrawIt)
{
    m_position.SetPiece(piece, q);
    if (redrawIt)
        redraw(q);
}

Square TMoveEntry::enPassantSquareAfter(const MoveRecord &move) const
{
    const auto besideTo = [&](PieceCode pawn) {
        return m_position.GetPiece(Square(move.To - 1)) == pawn || m_position.GetPiece(Square(move.To + 1)) == pawn;
    };
    if (move.Piece == Piece::WhitePawn && RankOf(move.From) == 1 && RankOf(move.To) == 3 &&
        besideTo(Piece::BlackPawn))
        return Square(move.From + 10);
    if (move.Piece == Piece::BlackPawn && RankOf(move.From) == 6 && RankOf(move.To) == 4 &&
        besideTo(Piece::WhitePawn))
        return Square(move.From - 10);
    return 0;
}

bool TMoveEntry::DoMove(const MoveRecord &move)
{
    if (m_game.CurrentPly > MoveList::Capacity) {
        MessageDlg(QStringLiteral("Too many moves!"), TPrompts::Icon::Error);
        redraw(move.From);
        return false;
    }
    PieceCode piece = m_position.GetPiece(move.From);
    PutPiece(Piece::Empty, move.From, true);

    MoveRecord pawnStep = move;
    pawnStep.Piece = piece;
    m_position.SetEnPassant(enPassantSquareAfter(pawnStep));

    if (IsPawn(piece) && OnLastRank(move.To) && move.Promotion != 0)
        piece = move.Promotion;
    if (move.EnPassantCapture) {
        if (piece == Piece::WhitePawn)
            PutPiece(Piece::Empty, Square(move.To - 10), true);
        else if (piece == Piece::BlackPawn)
            PutPiece(Piece::Empty, Square(move.To + 10), true);
    }
    if (const RookJump rook = CastlingRook(piece, move.From, move.To); rook.rook != Piece::Empty) {
        PutPiece(rook.rook, rook.to, true);
        PutPiece(Piece::Empty, rook.from, true);
    }
    PutPiece(piece, move.To, true);
    m_position.SetWhiteToMove(!IsWhitePiece(piece));
    return true;
}

void TMoveEntry::ReverseMove(const MoveRecord &move)
{
    const PieceCode piece = m_position.GetPiece(move.To);
    const bool white = IsWhitePiece(piece);
    PutPiece(move.Captured, move.To, true);
    PutPiece(piece, move.From, true);
    if (move.EnPassantCapture && IsPawn(piece))
        PutPiece(white ? Piece::BlackPawn : Piece::WhitePawn, Square(white ? move.To - 10 : move.To + 10), true);
    if (move.Promotion != 0)
        PutPiece(white ? Piece::WhitePawn : Piece::BlackPawn, move.From, true);
    if (const RookJump rook = CastlingRook(piece, move.From, move.To); rook.rook != Piece::Empty) {
        PutPiece(rook.rook, rook.from, true);
        PutPiece(Piece::Empty, rook.to, true);
    }
    // The position now is the one after the previous ply, whose double pawn
    // step may allow an en-passant capture again.
    const int previous = std::min<int>(m_game.CurrentPly, MoveList::Capacity + 1) - 1;
    m_position.SetEnPassant(previous >= 1 ? enPassantSquareAfter(m_game.Moves[previous]) : 0);
    m_position.SetWhiteToMove(white);
}

int TMoveEntry::Coincidencia(const MoveRecord &move)
{
    const PieceCode onTo = m_position.GetPiece(move.To);
    const PieceCode onFrom = m_position.GetPiece(move.From);
    m_position.SetPiece(move.Captured, move.To);
    m_position.SetPiece(move.Piece, move.From);
    bool other = false, sameFile = false, sameRank = false;
    MoveRecord probe;
    probe.To = move.To;
    for (int rank = 0; rank < 8; ++rank) {
        for (int file = 0; file < 8; ++file) {
            probe.From = MakeSquare(rank, file);
            if (probe.From == move.To || probe.From == move.From || m_position.GetPiece(probe.From) != move.Piece)
                continue;
            if (!IsMoveLegal(m_game, m_position, probe, false))
                continue;
            other = true;
            sameFile = sameFile || file == FileOf(move.From);
            sameRank = sameRank || rank == RankOf(move.From);
        }
    }
    m_position.SetPiece(onTo, move.To);
    m_position.SetPiece(onFrom, move.From);
    if (!other)
        return 0;
    if (!sameFile)
        return 1;
    return sameRank ? 3 : 2;
}

TMoveEntry::Outcome TMoveEntry::EnterMove(MoveRecord move)
{
    if (m_game.CurrentPly >= MoveList::Capacity) {
        MessageDlg(QStringLiteral("Too many moves!"), TPrompts::Icon::Error);
        redraw(move.From);
        return Outcome::TooManyMoves;
    }
    const GameRecord before = m_game;
    if (!IsMoveLegal(m_game, m_position, move, true)) {
        redraw(move.From);
        return Outcome::Illegal;
    }
    const bool enPassant = LastMoveWasEnPassant;
    const PieceCode dragPromotion = move.Promotion;
    move.Promotion = move.Captured = move.Disambiguation = 0;
    move.EnPassantCapture = move.Check = false;
    const PieceCode moving = m_position.GetPiece(move.From);
    const PieceCode captured = m_position.GetPiece(move.To);
    const RookJump castling = CastlingRook(moving, move.From, move.To);
    // Castling out of check, tested on the position itself: the game record
    // has no check mark before its first ply.
    const bool wasInCheck = castling.rook != Piece::Empty && SideToMoveInCheck(m_game, m_position);

    if (IsPawn(moving) && OnLastRank(move.To)) {
        const bool white = moving == Piece::WhitePawn;
        PutPiece(moving, move.To, true);
        if (m_choosePromotion)
            move.Promotion = m_choosePromotion(white);
        else
            move.Promotion = dragPromotion != 0 ? dragPromotion : (white ? Piece::WhiteQueen : Piece::BlackQueen);
    }
    move.EnPassantCapture = enPassant;
    DoMove(move);
    m_game.Position = m_position.Packed();
    m_game.CurrentPly += 1;
    m_game.MoveCount = m_game.CurrentPly;

    // The pawn, also for a promotion, as in the records the game reader
    // makes: the move text of a promotion names no piece before the square.
    move.Piece = moving;
    move.Captured = captured;
    switch (Coincidencia(move)) {
    case 1: move.Disambiguation = MoveRecord::FromFileNamed; break;
    case 2: move.Disambiguation = MoveRecord::FromRankNamed; break;
    case 3: move.Disambiguation = MoveRecord::FromFileNamed | MoveRecord::FromRankNamed; break;
    default: break;
    }
    move.MoveTime = NowAsDays();
    move.PreviousTime = m_game.CurrentPly > 1 ? m_game.Moves[m_game.CurrentPly - 1].MoveTime : move.MoveTime;
    move.Check = SideToMoveInCheck(m_game, m_position);
    m_game.Moves[m_game.CurrentPly] = move;

    const bool exposed = SideNotToMoveInCheck(m_game, m_position) ||
                         (castling.rook != Piece::Empty &&
                          (wasInCheck || SquareAttacked(m_game, m_position, castling.to)));
    if (exposed) {
        ReverseMove(move);
        m_game = before;
        return Outcome::KingExposed;
    }
    return Outcome::Entered;
}

bool TMoveEntry::StepForward()
{
    if (m_game.CurrentPly >= m_game.MoveCount)
        return false;
    m_game.CurrentPly += 1;
    if (DoMove(m_game.Moves[m_game.CurrentPly]))
        return true;
    m_game.CurrentPly -= 1;
    return false;
}

bool TMoveEntry::StepBack()
{
    if (m_game.CurrentPly == 0)
        return false;
    ReverseMove(m_game.Moves[m_game.CurrentPly]);
    m_game.CurrentPly -= 1;
    return true;
}
