#include "engine/enginecontroller.h"

#include "engine/engineprocess.h"
#include "engine/uciprotocol.h"
#include "engine/winboardprotocol.h"
#include "ui/basemultilang.h"
#include "ui/prompts.h"

namespace {

constexpr int LabelUpdateInterval = 100;  // ms at least between two label updates from engine output
constexpr int UnansweredInterval = 2000;  // ms a Winboard engine has to start analysing a position
constexpr int MaxRepeatDoublings = 3;     // the pause before the next repeat doubles up to 16 s
// Between two commands to a Winboard engine: gnuchess goes on with its
// start-up only as lines arrive, and lines that arrive in one read count once.
constexpr std::chrono::milliseconds WinboardCommandGap(20);

} // namespace

TEngineController::TEngineController(QObject *parent)
    : QObject(parent)
    , m_process(new TEngineProcess(this))
{
    connect(m_process, &TEngineProcess::linesReceived, this, &TEngineController::ProcessLines);
    connect(m_process, &TEngineProcess::engineLost, this, &TEngineController::EngineLost);
    m_noAnswer.setSingleShot(true);
    m_noAnswer.setInterval(std::chrono::seconds(10));
    connect(&m_noAnswer, &QTimer::timeout, this, &TEngineController::NoAnswer);
    m_labelUpdate.setSingleShot(true);
    m_labelUpdate.setTimerType(Qt::PreciseTimer);
    connect(&m_labelUpdate, &QTimer::timeout, this, &TEngineController::PublishLabels);
    m_unanswered.setSingleShot(true);
    connect(&m_unanswered, &QTimer::timeout, this, &TEngineController::RepeatUnansweredPosition);
    SetEngineDefault();
}

TEngineController::~TEngineController()
{
    m_process->Disconnect(false);
}

void TEngineController::SetEngineArguments(const QStringList &arguments)
{
    m_process->SetArguments(arguments);
}

void TEngineController::SetWords(TBaseMultiLang *words)
{
    m_words = words;
}

void TEngineController::SetLogFallbackFolder(const QString &folder)
{
    m_process->SetLogFallbackFolder(folder);
}

bool TEngineController::Connected() const
{
    return m_process->Connected();
}

void TEngineController::SetEngineDefault()
{
    m_process->SetEngineDefault();
    m_labels = TAnalysisLabels();
    m_labels.engine = QStringLiteral("Starting Engine.....");
    PublishLabels();
}

void TEngineController::SetPosition(const TAnalysedPosition &position)
{
    m_position = position;
    if (!Connected())
        return;
    // What the engine said about the previous position is read before the
    // labels are reset for this one.
    m_process->ReadPendingLines();
    m_labels.ResetValues();
    PublishLabels();
    m_repeats = 0;
    SendPosition();
}

void TEngineController::SendPosition()
{
    for (const QString &command : m_protocolLink->PositionCommands(m_position))
        m_process->SendCommand(command);
    // Some Winboard engines lose commands that come while they are busy, or
    // take them only as more input comes: the position goes again, less and
    // less often, for as long as it stays unanswered.
    if (m_repeatsUnanswered && Connected())
        m_unanswered.start(UnansweredInterval << qMin(m_repeats, MaxRepeatDoublings));
}

void TEngineController::RepeatUnansweredPosition()
{
    if (!Connected() || m_labels.depth != TAnalysisLabels::Unknown)
        return;
    ++m_repeats;
    SendPosition();
}

void TEngineController::ToggleEngine()
{
    if (Connected()) {
        m_noAnswer.stop();
        m_unanswered.stop();
        SetEngineLabel(QStringLiteral("Closing engine.... "));
        m_process->Disconnect(false);
        SetPanelVisible(false);
        m_process->CloseLog();
        return;
    }
    SetEngineLabel(QStringLiteral("Loading engine ") + m_engineFile + QStringLiteral("...."));
    SetPanelVisible(true);
    Connect();
    if (Connected())
        SetPosition(m_position);
    else
        SetPanelVisible(false);
}

void TEngineController::StopAnalysis()
{
    if (Connected())
        ToggleEngine();
    else
        SetPanelVisible(false);
}

void TEngineController::Connect()
{
    m_repeatsUnanswered = m_protocol == Winboard;
    if (m_protocol == Uci)
        m_protocolLink = std::make_unique<TUciProtocol>();
    else
        m_protocolLink = std::make_unique<TWinboardProtocol>();
    m_process->SetStatusRequests(m_protocolLink->SendsStatusRequests());
    m_process->SetWakeUpsAtStart(m_protocol == Winboard);
    m_process->SetCommandGap(m_protocol == Winboard ? WinboardCommandGap : std::chrono::milliseconds(0));
    m_labels.ResetValues();
    PublishLabels();
    m_process->Connect(m_engineFile, m_protocolLink->OpeningCommands());
    if (Connected())
        m_noAnswer.start();
}

void TEngineController::ProcessLines(const QStringList &lines)
{
    // The engine speaks after all: what the panel said before comes back.
    m_noAnswer.stop();
    if (m_labels.engine == Text("@enginenoanswer", "The engine does not answer"))
        m_labels.engine = m_labelBeforeSilence;
    for (const QString &line : lines) {
        if (!Connected())
            break;
        switch (m_protocolLink->ProcessLine(line, m_labels)) {
        case TEngineProtocol::LineEffect::None:
            break;
        case TEngineProtocol::LineEffect::StopStatusRequests:
            m_process->SetStatusRequests(false);
            break;
        case TEngineProtocol::LineEffect::LacksSetboard:
            Refuse(QStringLiteral("Engine doesnt support setboard command!"));
            break;
        case TEngineProtocol::LineEffect::LacksAnalyze:
            Refuse(QStringLiteral("Engine doesnt support analyze mode!"));
            break;
        }
    }
    if (m_labels.depth != TAnalysisLabels::Unknown)
        m_unanswered.stop();
    PublishLabelsSoon();
}

void TEngineController::Refuse(const QString &message)
{
    // The engine is of no use, but the program goes on: a move may be unsent.
    m_noAnswer.stop();
    m_unanswered.stop();
    m_process->Disconnect(false);
    m_process->CloseLog();
    SetPanelVisible(false);
    SetEngineLabel(message);
    MessageDlg(message, TPrompts::Icon::Information);
}

void TEngineController::EngineLost()
{
    m_noAnswer.stop();
    m_unanswered.stop();
    m_process->CloseLog();
    SetEngineLabel(Text("@enginestopped", "The engine has stopped"));
}

void TEngineController::NoAnswer()
{
    if (!Connected())
        return;
    m_labelBeforeSilence = m_labels.engine;
    SetEngineLabel(Text("@enginenoanswer", "The engine does not answer"));
}

void TEngineController::SetPanelVisible(bool visible)
{
    if (m_panelVisible == visible)
        return;
    m_panelVisible = visible;
    emit panelVisibleChanged(visible);
}

void TEngineController::SetEngineLabel(const QString &text)
{
    m_labels.engine = text;
    PublishLabels();
}

QString TEngineController::Text(const char *id, const char *english) const
{
    return m_words ? m_words->Translate(QLatin1String(id)) : QLatin1String(english);
}

void TEngineController::PublishLabels()
{
    m_labelUpdate.stop();
    if (m_labels == m_shownLabels)
        return;
    m_shownLabels = m_labels;
    m_lastLabelUpdate.start();
    emit labelsChanged(m_labels);
}

void TEngineController::PublishLabelsSoon()
{
    // However fast an engine writes, the panel is redrawn at most every 100 ms.
    if (m_labels == m_shownLabels || m_labelUpdate.isActive())
        return;
    // Counted finer than the timer's milliseconds and rounded down, so that
    // the timer firing late does not make a line wait longer than the interval.
    const qint64 interval = LabelUpdateInterval * 1000;
    const qint64 since = m_lastLabelUpdate.isValid() ? m_lastLabelUpdate.nsecsElapsed() / 1000 : interval;
    if (since >= interval)
        PublishLabels();
    else
        m_labelUpdate.start(int((interval - since) / 1000));
}
