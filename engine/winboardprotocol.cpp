#include "engine/winboardprotocol.h"

#include "engine/numbertext.h"
#include "engine/thinkingline.h"

#include <QRegularExpression>

#include <limits>

namespace {

const QString ValueSeparator = QStringLiteral(" ");

// The text from the first character that is not a blank on.
QString SkipSpaces(const QString &text)
{
    qsizetype at = 0;
    while (at < text.size() && text.at(at) == QLatin1Char(' '))
        ++at;
    return text.mid(at);
}

// The first space-delimited word of text, leading spaces skipped.
QString FirstWord(const QString &text)
{
    const QString rest = SkipSpaces(text);
    return rest.left(rest.indexOf(QLatin1Char(' ')));
}

// Whether the line is the engine's refusal of the "." status request, as in
// "Error (unknown command): ." or "Illegal move: .".
bool RejectsStatusRequest(const QString &line)
{
    if (!line.startsWith(QLatin1String("Error")) && !line.startsWith(QLatin1String("Illegal move"))
        && !line.startsWith(QLatin1String("Invalid move")))
        return false;
    const qsizetype colon = line.lastIndexOf(QLatin1Char(':'));
    return colon >= 0 && line.mid(colon + 1).trimmed() == QLatin1String(".");
}

// The moves of a thinking line's variation: move numbers and other tokens
// that start with a digit from 1 to 9 are left out (0-0 castling stays); the
// last token is always kept.
QStringList VariationMoves(const QString &text)
{
    const QStringList tokens = text.split(QLatin1Char(' '));
    QStringList moves;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens.at(i);
        if (token.isEmpty())
            continue;
        const bool last = i == tokens.size() - 1;
        if (!last && (token.contains(QLatin1Char('.')) || QStringView(u"123456789").contains(token.front())))
            continue;
        moves.append(token);
    }
    return moves;
}

// The depth of a thinking line as ParsePrincipleVariation reads it; -1 for a
// line that is not one.
int ThinkingDepth(const QString &line)
{
    const QString text = SkipSpaces(line.startsWith(QLatin1Char('\t')) ? line.mid(1) : line);
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    bool isNumber = false;
    const int depth = space < 0 ? 0 : text.left(space).toInt(&isNumber);
    return isNumber ? depth : -1;
}

// The line without the prompts ("White (1) : ") that an engine written for
// the console may put before it.
QString WithoutPrompts(const QString &line)
{
    static const QRegularExpression prompts(QStringLiteral("^((White|Black) \\(\\d+\\) : )+"));
    if (!line.startsWith(QLatin1String("White")) && !line.startsWith(QLatin1String("Black")))
        return line;
    return QString(line).remove(prompts);
}

} // namespace

QStringList TWinboardProtocol::OpeningCommands() const
{
    // "force" keeps the engine from playing a move of its own when a position
    // with Black to move is set up.
    return {QStringLiteral("xboard"), QStringLiteral("xboard"), QStringLiteral("protover 2"),
            QStringLiteral("new"),    QStringLiteral("force"),  QStringLiteral("post")};
}

QStringList TWinboardProtocol::PositionCommands(const TAnalysedPosition &position)
{
    m_ply = position.ply;
    m_whiteToMove = position.whiteToMove;
    QStringList commands;
    // An engine that analyses may ignore a new position: it leaves analyze
    // mode first, and "force" keeps it from playing a move of its own.
    if (m_analysing)
        commands << QStringLiteral("exit") << QStringLiteral("force");
    commands << QStringLiteral("setboard ") + SetboardText(position);
    // What the old search still writes is told apart from the new one's.
    if (m_analysing && m_ping) {
        m_awaitedPong = ++m_lastPing;
        commands << QStringLiteral("ping %1").arg(m_awaitedPong);
    } else if (m_analysing) {
        m_awaitingRestart = m_lastDepth > 0;
    }
    commands << QStringLiteral("analyze");
    m_analysing = true;
    return commands;
}

QString TWinboardProtocol::SetboardText(const TAnalysedPosition &position)
{
    // Some engines refuse a position without the two move counters, others
    // one with more fields than six.
    QStringList fields = position.epd.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QStringList missing{QStringLiteral("w"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("0"),
                              QString::number(position.fullMoveNumber)};
    for (qsizetype field = qMax<qsizetype>(fields.size(), 1); field < 6; ++field)
        fields.append(missing.at(field - 1));
    return fields.mid(0, 6).join(QLatin1Char(' '));
}

TEngineProtocol::LineEffect TWinboardProtocol::ProcessLine(const QString &line, TAnalysisLabels &labels)
{
    return ProcessCommandLine(line, labels);
}

bool TWinboardProtocol::BelongsToOldSearch(const QString &line)
{
    if (m_awaitedPong != 0) {
        if (line.trimmed() == QStringLiteral("pong %1").arg(m_awaitedPong)) {
            m_awaitedPong = 0;
            m_lastDepth = 0;
            return false;
        }
        return IsThinkingLine(line.toUtf8());
    }
    const int depth = ThinkingDepth(line);
    if (m_awaitingRestart) {
        if (depth < 0)
            return line.startsWith(QLatin1String("stat01:"));
        // A search starts at the lowest depths; a line deeper than the one
        // before it is the old search going on.
        if (depth > 1 && depth >= m_lastDepth) {
            m_lastDepth = depth;
            return true;
        }
        m_awaitingRestart = false;
    }
    if (depth >= 0)
        m_lastDepth = depth;
    return false;
}

TEngineProtocol::LineEffect TWinboardProtocol::ProcessCommandLine(const QString &received,
                                                                  TAnalysisLabels &labels)
{
    const QString line = WithoutPrompts(received);
    if (line.isEmpty() || BelongsToOldSearch(line))
        return LineEffect::None;
    ParsePrincipleVariation(line, labels);
    if (line.front() == QLatin1Char('\t'))
        return LineEffect::None;
    if (line.startsWith(QLatin1String("stat01:"))) {
        ParseStatus(line, labels);
        return LineEffect::None;
    }
    for (const char *ignored : {"search_time ", "node_count ", "move ", "ack "}) {
        if (line.startsWith(QLatin1String(ignored)))
            return LineEffect::None;
    }
    if (RejectsStatusRequest(line))
        return LineEffect::StopStatusRequests;
    if (line.contains(QLatin1String("feature")))
        return ParseFeature(line, labels);
    return LineEffect::None;
}

void TWinboardProtocol::ParsePrincipleVariation(const QString &line, TAnalysisLabels &labels) const
{
    // A thinking line: depth, score, time, nodes, then the moves. Only a
    // leading tab or blank is dropped: some engines start with the depth.
    QString text = line;
    if (!text.isEmpty() && (text.front() == QLatin1Char('\t') || text.front() == QLatin1Char(' ')))
        text.remove(0, 1);
    text = SkipSpaces(text);

    qsizetype space = text.indexOf(QLatin1Char(' '));
    bool isNumber = false;
    const int depth = space < 0 ? 0 : text.left(space).toInt(&isNumber);
    if (!isNumber)
        return;
    labels.depth = QString::number(depth);
    text = text.mid(space);

    const auto takeField = [&text](QString &field) {
        text = SkipSpaces(text);
        const qsizetype end = text.indexOf(QLatin1Char(' '));
        if (end < 0)
            return false;
        field = text.left(end);
        text = text.mid(end);
        return true;
    };
    QString score, time, nodeCount;
    if (!takeField(score))
        return;
    ParseScore(score, labels);
    if (!takeField(time))
        return;
    const qint64 centiseconds = ParseSearchTime(time, labels);
    if (!takeField(nodeCount))
        return;
    const qint64 nodes = ParseNodeCount(nodeCount);
    if (centiseconds >= 0 && nodes >= 0)
        labels.nodes = NodeRateText(centiseconds, nodes);

    // Engines that add fields of their own (selective depth, speed) end them
    // with a tab before the moves.
    text = SkipSpaces(text);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        text = SkipSpaces(text.mid(tab + 1));

    const QStringList moves = VariationMoves(text);
    QString hint = moves.value(0).left(10);
    const qsizetype parenthesis = hint.indexOf(QLatin1Char('('));
    if (parenthesis >= 0)
        hint.remove(0, parenthesis + 1);
    labels.hint = hint;

    const qsizetype open = line.indexOf(QLatin1Char('('));
    if (open >= 0) {
        const qsizetype close = line.indexOf(QLatin1Char(')'));
        const qsizetype length = close > open ? close - open - 1 : -1;
        labels.variation = QStringLiteral("Book moves: ") + line.mid(open + 1, length);
    } else {
        labels.variation = NumberedVariation(moves, m_ply, m_whiteToMove);
    }
}

QString TWinboardProtocol::NumberedVariation(const QStringList &moves, int ply, bool whiteToMove)
{
    int n = ply;
    bool white = whiteToMove;
    if (white == (n % 2 == 1))
        ++n;
    QString text;
    for (qsizetype i = 0; i < moves.size(); ++i) {
        if (i == 0)
            text = QString::number(n / 2 + 1) + (white ? QStringLiteral(".") : QStringLiteral("..."));
        else
            text += white ? QStringLiteral(" %1.").arg(n / 2 + 1) : ValueSeparator;
        text += moves.at(i);
        ++n;
        white = !white;
    }
    return text;
}

void TWinboardProtocol::ParseScore(const QString &text, TAnalysisLabels &labels) const
{
    bool isNumber = false;
    const int s = FirstWord(text).toInt(&isNumber);
    // The smallest int has no negation; no engine's score comes near it.
    if (!isNumber || s == std::numeric_limits<int>::min())
        return;
    // Engines other than Crafty report the score from the side to move.
    labels.score = ScoreText(s, m_whiteToMove, labels.engine.contains(QLatin1String("Crafty")));
}

QString TWinboardProtocol::ScoreText(int score, bool whiteToMove, bool fromWhitesSide)
{
    const int s = fromWhitesSide || whiteToMove ? score : -score;
    // The moves to a mate in the conventions engines use: 100000 + N (the
    // protocol's own), 32768 less the plies, and 10000 less the plies.
    const int size = qAbs(score);
    int mateMoves = -1;
    if (size >= 100000 && size < 200000)
        mateMoves = size - 100000;
    else if (size >= 32001 && size <= 32768)
        mateMoves = (32768 - size) / 2;
    else if (size > 9900 && size <= 10000)
        mateMoves = (10000 - size + 1) / 2;

    QString scoreText;
    if (mateMoves < 0)
        scoreText = QStringLiteral("[%1 %2]").arg(qAbs(s)).arg(QLatin1Char(s > 0 ? 'w' : 'b'));
    else if ((s > 0) == whiteToMove)
        scoreText = QStringLiteral("Mate in %1").arg(mateMoves);
    else
        scoreText = QStringLiteral("Mated in %1").arg(mateMoves);

    QString evaluation = QStringLiteral("Position is even");
    const struct { bool holds; const char *text; } judgements[] = {
        {s >= 34, "White is slightly better"}, {s >= 67, "White is better"},
        {s >= 133, "White is winning"},        {s <= -34, "Black is slightly better"},
        {s <= -67, "Black is better"},         {s <= -133, "Black is winning"},
    };
    for (const auto &judgement : judgements) {
        if (judgement.holds)
            evaluation = QLatin1String(judgement.text);
    }
    if (s == -32768)
        scoreText = evaluation = QString();
    return scoreText + ValueSeparator + evaluation;
}

qint64 TWinboardProtocol::ParseSearchTime(const QString &text, TAnalysisLabels &labels) const
{
    bool isNumber = false;
    const qint64 centiseconds = FirstWord(text).toLongLong(&isNumber);
    if (!isNumber || centiseconds < 0)
        return -1;
    labels.searchTime = QString::number(centiseconds / 100);
    return centiseconds;
}

qint64 TWinboardProtocol::ParseNodeCount(const QString &text) const
{
    bool isNumber = false;
    const qint64 nodes = FirstWord(text).toLongLong(&isNumber);
    return isNumber && nodes >= 0 ? nodes : -1;
}

void TWinboardProtocol::ParseStatus(const QString &line, TAnalysisLabels &labels) const
{
    const QStringList fields =
        line.mid(qsizetype(sizeof("stat01:") - 1)).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool timeIsNumber = false;
    bool nodesAreNumber = false;
    const qint64 centiseconds = fields.value(0).toLongLong(&timeIsNumber);
    const qint64 nodes = fields.value(1).toLongLong(&nodesAreNumber);
    if (!timeIsNumber || !nodesAreNumber || centiseconds < 0 || nodes < 0)
        return;
    labels.searchTime = QString::number(centiseconds / 100 + 1);
    labels.nodes = NodeRateText(centiseconds, nodes);
}

TEngineProtocol::LineEffect TWinboardProtocol::ParseFeature(const QString &line, TAnalysisLabels &labels)
{
    const qsizetype myname = line.indexOf(QLatin1String("myname="));
    if (myname >= 0) {
        QString name = line.mid(myname + 7);
        // The name is quoted, or else one word.
        const bool quoted = name.startsWith(QLatin1Char('"'));
        if (quoted)
            name.remove(0, 1);
        const qsizetype end = name.indexOf(quoted ? QLatin1Char('"') : QLatin1Char(' '));
        if (end >= 0)
            name.truncate(end);
        labels.engine = QStringLiteral("Winboard Engine: ") + name;
    }

    LineEffect effect = LineEffect::None;
    if (line.contains(QLatin1String("setboard=1")))
        m_setboard = true;
    if (line.contains(QLatin1String("analyze=1")))
        m_analyze = true;
    if (line.contains(QLatin1String("ping=1")))
        m_ping = true;
    if (line.contains(QLatin1String("setboard=0"))) {
        m_setboard = false;
        if (m_featuresDone)
            effect = LineEffect::LacksSetboard;
    }
    if (line.contains(QLatin1String("analyze=0"))) {
        m_analyze = false;
        if (m_featuresDone && effect == LineEffect::None)
            effect = LineEffect::LacksAnalyze;
    }
    if (line.contains(QLatin1String("done=1"))) {
        m_featuresDone = true;
        if (!m_setboard)
            effect = LineEffect::LacksSetboard;
        else if (!m_analyze)
            effect = LineEffect::LacksAnalyze;
    }
    return effect;
}
