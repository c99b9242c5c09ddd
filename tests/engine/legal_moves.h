#pragma once

#include "movelib/movegen.h"
#include "movelib/san.h"

#include <QStandardPaths>
#include <QStringList>

// An engine program from the system's games folder or the PATH.
inline QString FindEngine(const QString &name)
{
    const QString games = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/games")});
    return games.isEmpty() ? QStandardPaths::findExecutable(name) : games;
}

// A move of the move library in coordinate notation: "e2e4", "e7e8q".
inline QString CoordinateText(const tlm::Move &move)
{
    const auto square = [](int s) {
        return QString(QChar(u'a' + tlm::FileOf(s))) + QChar(u'1' + tlm::RankOf(s));
    };
    QString text = square(move.From) + square(move.To);
    if (move.Promotion != tlm::NoPieceType)
        text += QLatin1Char(" pnbrqk"[move.Promotion]);
    return text;
}

// The legal moves of a FEN position in coordinate notation, by our move
// library; none when the FEN cannot be read.
inline QStringList LegalMoves(const QString &fen)
{
    tlm::Board board;
    if (!board.SetFromFEN(fen.toStdString()))
        return {};
    QStringList moves;
    for (const tlm::Move &move : tlm::LegalMoves(board))
        moves.append(CoordinateText(move));
    return moves;
}

// Whether a move, in coordinate notation ("e7e8q", "e7e8=q") or in SAN, is
// legal in the FEN position.
inline bool IsLegal(QString move, const QString &fen)
{
    move = move.trimmed();
    if (LegalMoves(fen).contains(QString(move).remove(QLatin1Char('='))))
        return true;
    tlm::Board board;
    tlm::Move parsed;
    return board.SetFromFEN(fen.toStdString()) && tlm::ParseSan(board, move.toStdString(), parsed) == 0;
}
