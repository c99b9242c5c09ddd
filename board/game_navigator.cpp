#include "board/game_navigator.h"

#include "chess/rules.h"

namespace {

bool IsPawn(PieceCode p) { return p == Piece::WhitePawn || p == Piece::BlackPawn; }

void PlayMove(TChessPosition &position, const MoveRecord &m)
{
    PieceCode piece = position.GetPiece(m.From);
    position.SetPiece(Piece::Empty, m.From);
    const int toRank = RankOf(m.To);
    if (IsPawn(piece) && (toRank == 7 || toRank == 0) && m.Promotion != 0)
        piece = m.Promotion;

    position.SetEnPassant(0);
    const auto enemyBeside = [&](PieceCode enemy) {
        return position.GetPiece(Square(m.To - 1)) == enemy || position.GetPiece(Square(m.To + 1)) == enemy;
    };
    if (piece == Piece::WhitePawn && RankOf(m.From) == 1 && toRank == 3 && enemyBeside(Piece::BlackPawn))
        position.SetEnPassant(Square(m.From + 10));
    if (piece == Piece::BlackPawn && RankOf(m.From) == 6 && toRank == 4 && enemyBeside(Piece::WhitePawn))
        position.SetEnPassant(Square(m.From - 10));

    if (m.EnPassantCapture)
        position.SetPiece(Piece::Empty, Square(piece == Piece::WhitePawn ? m.To - 10 : m.To + 10));

    if (piece == Piece::WhiteKing || piece == Piece::BlackKing) {
        const Square home = piece == Piece::WhiteKing ? 4 : 74;
        const PieceCode rook = piece == Piece::WhiteKing ? Piece::WhiteRook : Piece::BlackRook;
        if (m.From == home && m.To == home + 2) {
            position.SetPiece(Piece::Empty, Square(home + 3));
            position.SetPiece(rook, Square(home + 1));
        } else if (m.From == home && m.To == home - 2) {
            position.SetPiece(Piece::Empty, Square(home - 4));
            position.SetPiece(rook, Square(home - 1));
        }
    }
    position.SetPiece(piece, m.To);
}

} // namespace

TChessPosition PositionAfterPly(const GameRecord &game, int ply)
{
    TChessPosition position;
    PackedPosition unused;
    // A set-up text that places the pieces but lacks a later field still
    // gives its board; side to move and castling rights come from the rules
    // below.
    if (!game.Setup || (!position.FromFEN(game.SetupFEN.view(), unused)
                        && !position.SetPlacement(game.SetupFEN.view())))
        position.SetStartPosition();
    GameRecord history = game;
    history.CurrentPly = 0;
    for (int n = 1; n <= ply && n <= game.MoveCount; ++n) {
        PlayMove(position, game.Moves[n]);
        history.CurrentPly = std::uint16_t(n);
    }
    position.SetWhiteToMove(SideToMoveIsWhite(history));
    position.SetCastleWhiteShort(CanCastleWhiteShort(history));
    position.SetCastleWhiteLong(CanCastleWhiteLong(history));
    position.SetCastleBlackShort(CanCastleBlackShort(history));
    position.SetCastleBlackLong(CanCastleBlackLong(history));
    return position;
}

TGameNavigator::TGameNavigator(GameRecord &game, QObject *parent)
    : QObject(parent)
    , m_game(game)
{
}

void TGameNavigator::Step(int delta, bool update)
{
    m_game.CurrentPly = std::uint16_t(m_game.CurrentPly + delta);
    emit BoardChanged(Position());
    if (update)
        emit CurrentMoveChanged();
}

void TGameNavigator::PreviousMove(bool update)
{
    if (m_game.CurrentPly > 0)
        Step(-1, update);
}

void TGameNavigator::NextMove(bool update)
{
    if (m_game.CurrentPly < m_game.MoveCount)
        Step(+1, update);
}

void TGameNavigator::First()
{
    while (m_game.CurrentPly > 1)
        PreviousMove(false);
    PreviousMove(true);
    emit ScrollToTop();
}

void TGameNavigator::Last()
{
    while (m_game.CurrentPly + 1 < m_game.MoveCount)
        NextMove(false);
    NextMove(true);
}

void TGameNavigator::GoToJump(int jump)
{
    const int target = jump + 1;
    if (jump < 0 || target > m_game.MoveCount)
        return;
    while (m_game.CurrentPly > target)
        PreviousMove(m_game.CurrentPly == target + 1);
    while (m_game.CurrentPly < target)
        NextMove(m_game.CurrentPly + 1 == target);
}
