#include "tools/quorval-cli/game_view.h"

#include "chess/move_text.h"
#include "chess/rules.h"
#include "tools/quorval-cli/position_fen.h"

#include <QStringList>

#include <algorithm>

namespace {

// "23. Nf3" or "23... Nf6"
QString MoveLabel(const GameRecord &game, int ply)
{
    const MoveRecord &move = game.Moves[ply];
    return QStringLiteral("%1%2 %3")
        .arg(FullMoveNumber(game, ply))
        .arg(PlyIsWhite(game, ply) ? QStringLiteral(".") : QStringLiteral("..."))
        .arg(QString::fromStdString(MoveToSAN(move) + AnnotationText(move)));
}

QString ToMoveText(const XfccGame &game, const GameRecord &record)
{
    if (ResultToString(game.result) != QLatin1String("*"))
        return QStringLiteral("The game is over: %1").arg(ResultToString(game.result));
    const QString side = SideToMoveIsWhite(record) ? QStringLiteral("White") : QStringLiteral("Black");
    return game.myTurn ? QStringLiteral("%1 to move: your move.").arg(side)
                       : QStringLiteral("%1 to move: your opponent's move.").arg(side);
}

} // namespace

QString BoardText(const QString &fen, bool whiteAtBottom)
{
    QStringList ranks = fen.section(QLatin1Char(' '), 0, 0).split(QLatin1Char('/'));
    ranks.resize(8);
    QString files = QStringLiteral("abcdefgh");
    QStringList lines;
    for (int row = 0; row < 8; ++row) {
        QString squares;
        for (const QChar c : ranks[row]) {
            if (c.isDigit())
                squares += QString(c.digitValue(), QLatin1Char('.'));
            else
                squares += c;
        }
        squares = squares.leftJustified(8, QLatin1Char('.'), true);
        if (!whiteAtBottom)
            std::reverse(squares.begin(), squares.end());
        QStringList cells;
        for (const QChar c : squares)
            cells << QString(c);
        lines << QStringLiteral("%1  %2").arg(8 - row).arg(cells.join(QLatin1Char(' ')));
    }
    if (!whiteAtBottom) {
        std::reverse(lines.begin(), lines.end());
        std::reverse(files.begin(), files.end());
    }
    QStringList letters;
    for (const QChar c : files)
        letters << QString(c);
    lines << QStringLiteral("   ") + letters.join(QLatin1Char(' '));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString GameViewText(const QString &server, const XfccGame &game, const LoadedServerGame &loaded)
{
    const GameRecord &record = loaded.Game;
    const QString fen = QString::fromStdString(PositionFEN(record, loaded.Position));
    QString text;
    text += QStringLiteral("Game %1 on %2: %3 - %4\n").arg(game.id).arg(server, game.white, game.black);
    if (!game.event.isEmpty())
        text += QStringLiteral("Event: %1\n").arg(game.event);
    text += QStringLiteral("You play %1. %2\n\n")
                .arg(game.hasWhite ? QStringLiteral("White") : QStringLiteral("Black"), ToMoveText(game, record));
    text += BoardText(fen, loaded.WhiteIsAtBottom);
    text += QStringLiteral("\nFEN: %1\n").arg(fen);
    text += QStringLiteral("Last move: %1\n")
                .arg(record.MoveCount > 0 ? MoveLabel(record, record.MoveCount) : QStringLiteral("none"));
    text += QStringLiteral("Opponent's message: %1\n")
                .arg(game.message.isEmpty() ? QStringLiteral("none") : game.message);
    text += QStringLiteral("Draw offered: %1\n").arg(loaded.DrawOffered ? QStringLiteral("yes") : QStringLiteral("no"));
    return text;
}
