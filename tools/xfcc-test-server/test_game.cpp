#include "tools/xfcc-test-server/test_game.h"

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
