#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

// An engine program from the system's games folder or the PATH.
inline QString FindEngine(const QString &name)
{
    const QString games = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/games")});
    return games.isEmpty() ? QStandardPaths::findExecutable(name) : games;
}

// The legal moves of a position in coordinate notation, as stockfish's
// "go perft 1" lists them; positionCommand is a UCI "position" command.
inline QStringList LegalMoves(const QString &positionCommand)
{
    QProcess stockfish;
    stockfish.start(FindEngine(QStringLiteral("stockfish")), {});
    if (!stockfish.waitForStarted(5000))
        return {};
    stockfish.write((positionCommand + QStringLiteral("\ngo perft 1\nquit\n")).toUtf8());
    stockfish.waitForFinished(5000);
    QStringList moves;
    static const QRegularExpression perftLine(QStringLiteral("^([a-h][1-8][a-h][1-8][qrbn]?): 1$"),
                                              QRegularExpression::MultilineOption);
    for (const auto &match : perftLine.globalMatch(QString::fromUtf8(stockfish.readAll())))
        moves.append(match.captured(1));
    return moves;
}

// The piece letter on a square ("e2") of an EPD or FEN placement; '.' when empty.
inline QChar PieceOn(const QString &placement, const QString &square)
{
    const QStringList ranks = placement.section(QLatin1Char(' '), 0, 0).split(QLatin1Char('/'));
    const int rank = 8 - (square.at(1).unicode() - '0');
    const int file = square.at(0).unicode() - 'a';
    int at = 0;
    for (QChar c : ranks.value(rank)) {
        if (c.isDigit()) {
            at += c.digitValue();
            continue;
        }
        if (at++ == file)
            return c;
    }
    return QLatin1Char('.');
}

// Whether a move, in coordinate notation or SAN, is one of the legal moves.
// A SAN move counts when a legal move of the same piece reaches its square.
inline bool IsLegal(QString move, const QString &placement, const QStringList &legalMoves)
{
    move = move.trimmed();
    if (legalMoves.contains(move))
        return true;
    move.remove(QRegularExpression(QStringLiteral("[+#!?]|=?[QRBN]$")));
    const bool whiteToMove = placement.section(QLatin1Char(' '), 1, 1) == QLatin1String("w");
    if (move == QLatin1String("O-O") || move == QLatin1String("O-O-O")) {
        const QString king = whiteToMove ? QStringLiteral("e1") : QStringLiteral("e8");
        const QString to = QLatin1String(move.size() == 3 ? "g" : "c") + king.right(1);
        return legalMoves.contains(king + to);
    }
    if (move.size() < 2)
        return false;
    const QChar piece = QStringView(u"NBRQK").contains(move.front()) ? move.front() : QLatin1Char('P');
    const QString to = move.right(2);
    for (const QString &legal : legalMoves) {
        if (legal.mid(2, 2) == to && PieceOn(placement, legal.left(2)).toUpper() == piece)
            return true;
    }
    return false;
}
