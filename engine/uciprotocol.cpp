#include "engine/uciprotocol.h"

#include "engine/numbertext.h"

namespace {

// Where key stands in the line as whole words, so that "pv" is not found
// inside "multipv" nor "depth" inside "seldepth"; -1 when it does not.
qsizetype FindKey(const QString &line, const QString &key)
{
    for (qsizetype at = line.indexOf(key); at >= 0; at = line.indexOf(key, at + 1)) {
        const qsizetype end = at + key.size();
        if ((at == 0 || line.at(at - 1) == QLatin1Char(' '))
            && (end == line.size() || line.at(end) == QLatin1Char(' ')))
            return at;
    }
    return -1;
}

// A count as the engine wrote it, with its digits grouped when it is a number.
QString CountText(QString value)
{
    value.remove(QLatin1Char(' '));
    bool isNumber = false;
    const qint64 count = value.toLongLong(&isNumber);
    return isNumber ? GroupDigits(count) : value;
}

} // namespace

QStringList TUciProtocol::OpeningCommands() const
{
    return {QStringLiteral("uci"), QStringLiteral("isready")};
}

QStringList TUciProtocol::PositionCommands(const TAnalysedPosition &position)
{
    m_stopping = m_searching;
    m_searching = true;
    return {QStringLiteral("stop"), PositionCommand(position), QStringLiteral("go infinite")};
}

QString TUciProtocol::PositionCommand(const TAnalysedPosition &position)
{
    QString command = position.startFen.isEmpty() ? QStringLiteral("position startpos")
                                                  : QStringLiteral("position fen ") + position.startFen;
    if (!position.moves.isEmpty()) {
        command += QStringLiteral(" moves ");
        // UCI writes a promotion as the bare piece letter: e7e8q.
        for (QString move : position.moves)
            command += move.remove(QLatin1Char('=')) + QLatin1Char(' ');
    }
    return command;
}

TEngineProtocol::LineEffect TUciProtocol::ProcessLine(const QString &line, TAnalysisLabels &labels)
{
    if (line.startsWith(QLatin1String("bestmove")))
        m_stopping = false;
    else if (!line.isEmpty() && !(m_stopping && line.startsWith(QLatin1String("info"))))
        ProcessUCICommand(line, labels);
    return LineEffect::None;
}

QString TUciProtocol::ValueAfter(const QString &line, const QString &key)
{
    const qsizetype at = FindKey(line, key);
    if (at < 0)
        return {};
    QString rest = line.mid(at + key.size());
    if (rest.startsWith(QLatin1Char(' ')))
        rest.remove(0, 1);
    const qsizetype space = rest.indexOf(QLatin1Char(' '));
    return space < 0 ? QString() : rest.left(space + 1);
}

void TUciProtocol::ProcessUCICommand(const QString &line, TAnalysisLabels &labels) const
{
    const auto after = [&line](QLatin1String text) { return line.mid(line.indexOf(text) + text.size()); };
    if (line.contains(QLatin1String("id name ")))
        labels.engine = QStringLiteral("UCI engine: ") + after(QLatin1String("id name "));
    if (line.contains(QLatin1String("id author ")))
        labels.engine += QStringLiteral(" by ") + after(QLatin1String("id author "));
    if (!line.contains(QLatin1String("info")))
        return;

    const bool hasSpeed = FindKey(line, QStringLiteral("nps")) >= 0;
    const bool hasNodes = FindKey(line, QStringLiteral("nodes")) >= 0;
    const QString speedText = hasSpeed ? CountText(ValueAfter(line, QStringLiteral("nps"))) : QString();
    const QString nodeText = hasNodes ? CountText(ValueAfter(line, QStringLiteral("nodes"))) : speedText;
    // Counts are shown once a variation has been shown for this position.
    if ((hasSpeed || hasNodes) && labels.hint != TAnalysisLabels::Unknown)
        labels.nodes = nodeText + QStringLiteral(" / ") + speedText;

    bool isNumber = false;
    const qint64 milliseconds = ValueAfter(line, QStringLiteral("time")).remove(QLatin1Char(' ')).toLongLong(&isNumber);
    if (isNumber && milliseconds >= 0)
        labels.searchTime = GroupDigits(milliseconds / 1000) + QStringLiteral(" s");

    if (FindKey(line, QStringLiteral("depth")) >= 0)
        labels.depth = ValueAfter(line, QStringLiteral("depth"));

    const qsizetype pv = FindKey(line, QStringLiteral("pv"));
    if (pv >= 0) {
        labels.variation = line.mid(pv + 3);
        labels.hint = labels.variation.left(5);
        labels.score = ValueAfter(line, QStringLiteral("score cp"));
        // A mate is told in moves from the side to move, as the engine counts it.
        bool isMate = false;
        const int mate = ValueAfter(line, QStringLiteral("score mate")).trimmed().toInt(&isMate);
        if (labels.score.isEmpty() && isMate)
            labels.score = mate > 0 ? QStringLiteral("Mate in %1").arg(mate) : QStringLiteral("Mated in %1").arg(-qint64(mate));
    }
}
