#include "tools/xfcc-test-server/test_game.h"

#include "movelib/movegen.h"
#include "movelib/san.h"
#include "movelib/tlmpgn32.h"

namespace {

QStringList fenFields(const XfccGame &game)
{
    return game.fen.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TestGame::Side TestGame::sideOf(const QString &username) const
{
    if (username == whiteUser)
        return Side::White;
    if (username == blackUser)
        return Side::Black;
    return Side::None;
}

TestGame::Side TestGame::sideToMove() const
{
    if (common.result != Result::Ongoing)
        return Side::None;
    const bool whiteMovesNow = startsWithWhite() == (moves.size() % 2 == 0);
    return whiteMovesNow ? Side::White : Side::Black;
}

int TestGame::moveNumber() const
{
    const qsizetype plies = moves.size() + (startsWithWhite() ? 0 : 1);
    return firstMoveNumber() + int(plies / 2);
}

QString TestGame::movetext() const
{
    QStringList tokens;
    int number = firstMoveNumber();
    bool white = startsWithWhite();
    if (!white && !moves.isEmpty())
        tokens << QStringLiteral("%1...").arg(number);
    for (const QString &move : moves) {
        if (white)
            tokens << QStringLiteral("%1.").arg(number);
        else
            ++number;
        tokens << move;
        white = !white;
    }
    return tokens.join(u' ');
}

XfccGame TestGame::viewFor(Side side) const
{
    XfccGame game = common;
    const bool white = side == Side::White;
    game.hasWhite = white;
    game.myTurn = side != Side::None && sideToMove() == side;
    game.moves = movetext();
    game.drawOffered = drawOfferedBy != Side::None;
    game.message = white ? blackMessage : whiteMessage;
    const Clock &mine = white ? whiteClock : blackClock;
    const Clock &theirs = white ? blackClock : whiteClock;
    game.daysPlayer = mine.days;
    game.hoursPlayer = mine.hours;
    game.minutesPlayer = mine.minutes;
    game.daysOpponent = theirs.days;
    game.hoursOpponent = theirs.hours;
    game.minutesOpponent = theirs.minutes;
    return game;
}

bool TestGame::startsWithWhite() const
{
    const QStringList fields = fenFields(common);
    return fields.size() < 2 || fields[1] != u"b";
}

int TestGame::firstMoveNumber() const
{
    const QStringList fields = fenFields(common);
    const int number = fields.size() >= 6 ? fields[5].toInt() : 1;
    return number > 0 ? number : 1;
}

bool TestGame::position(tlm::Board &board) const
{
    board.SetStart();
    if (!common.fen.isEmpty() && !board.SetFromFEN(common.fen.toStdString()))
        return false;
    for (const QString &recorded : moves) {
        // A recorded move may carry brace comments after it.
        const QString san = recorded.section(u'{', 0, 0).trimmed();
        tlm::Move move;
        if (tlm::ParseSan(board, san.toStdString(), move) != TLM_NoError)
            return false;
        board.Play(move);
    }
    return true;
}

MakeAMoveResult TestGame::playMove(const QString &san)
{
    tlm::Board board;
    if (!position(board))
        return MakeAMoveResult::ServerError;
    tlm::Move move;
    switch (tlm::ParseSan(board, san.toStdString(), move)) {
    case TLM_NoError:
        break;
    case TLM_AmbiguousMove:
        return MakeAMoveResult::MoveIsAmbigous;
    default:
        return MakeAMoveResult::InvalidMove;
    }
    const bool whiteMoved = board.SideToMove() == tlm::White;
    moves.append(QString::fromStdString(tlm::ToSan(board, move)));
    board.Play(move);
    if (tlm::LegalMoves(board).Size() == 0) {
        if (!board.InCheck())
            common.result = Result::Draw;
        else
            common.result = whiteMoved ? Result::WhiteWins : Result::BlackWins;
    }
    return MakeAMoveResult::Success;
}
