#include "engine/engineprocess.h"

#include "engine/thinkingline.h"
#include "ui/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>

#include <algorithm>
#include <utility>

namespace {

constexpr int PipeCheckingInterval = 500;   // ms between two status checks; output is read as it comes
constexpr int DeferredReadDelay = 10;       // ms a read waits while a connect or a message box runs
constexpr int StatusRequestInterval = 1000; // ms between two "." requests
constexpr int StartTimeout = 5000;          // ms an engine may take to start
constexpr int WriteTimeout = 250;           // ms a command may wait for room in the input pipe
constexpr int QuitGrace = 2000;             // ms an engine has to end after "quit"
constexpr int WakeUpInterval = 100;         // ms between two wake-ups of a silent engine
constexpr int SlowWakeUpInterval = 1000;    // ms between them once it has been silent for long
constexpr int QuickWakeUps = 100;           // wake-ups before they slow down
constexpr qsizetype MaxLineLength = 65536;  // bytes kept of one line; the rest is dropped
// A read that holds more lines or bytes than this is a flood: its older
// thinking lines are skipped, so the window keeps up with the engine; every
// other line and the latest thinking line are handed on.
constexpr int MaxLinesPerRead = 200;
constexpr qsizetype MaxBytesPerRead = 2 * MaxLineLength;

void Inform(const QString &text)
{
    MessageDlg(text, TPrompts::Icon::Information);
}

// Ends a process that was told to quit: it is deleted once it has ended, and
// killed if it has not ended after a grace period.
void LetEnd(QProcess *process)
{
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QTimer::singleShot(QuitGrace, process, [process] { process->kill(); });
}

} // namespace

TEngineProcess::TEngineProcess(QObject *parent)
    : QObject(parent)
{
    m_pipeCheckingTimer.setInterval(PipeCheckingInterval);
    connect(&m_pipeCheckingTimer, &QTimer::timeout, this, &TEngineProcess::PollPipes);
    m_deferredRead.setSingleShot(true);
    m_deferredRead.setInterval(DeferredReadDelay);
    connect(&m_deferredRead, &QTimer::timeout, this, &TEngineProcess::OutputArrived);
    m_commandGap.setSingleShot(true);
    m_commandGap.setTimerType(Qt::PreciseTimer);
    m_commandGap.setInterval(0);
    connect(&m_commandGap, &QTimer::timeout, this, &TEngineProcess::SendNextCommand);
    connect(&m_wakeUp, &QTimer::timeout, this, &TEngineProcess::WakeUp);
    SetEngineDefault();
}

TEngineProcess::~TEngineProcess()
{
    Disconnect(false);
    // Engines still ending get a moment before their QProcess kills them.
    for (QProcess *process : findChildren<QProcess *>()) {
        if (!process->waitForFinished(QuitGrace)) {
            process->kill();
            process->waitForFinished(QuitGrace);
        }
    }
}

void TEngineProcess::SetEngineDefault()
{
    m_busy = false;
    m_lastStatusRequest.start();
    m_pipeCheckingTimer.stop();
    m_deferredRead.stop();
    m_commandGap.stop();
    m_wakeUp.stop();
    m_waitingCommands.clear();
    m_partialLine.clear();
}

bool TEngineProcess::Connect(const QString &engineFile, const QStringList &openingCommands)
{
    m_engineFile = engineFile;
    if (ConnectViaPipes()) {
        m_busy = true;
        const auto clearBusy = qScopeGuard([this] { m_busy = false; });
        m_pipeCheckingTimer.start();
        m_lastStatusRequest.start();
        OpenLog();
        for (const QString &command : openingCommands)
            SendCommand(command);
        if (m_wakeUpsAtStart && Connected()) {
            m_wakeUps = 0;
            m_wakeUp.start(WakeUpInterval);
        }
    }
    if (!Connected())
        Inform(QStringLiteral("Could not connect with engine."));
    return Connected();
}

bool TEngineProcess::ConnectViaPipes()
{
    if (Connected())
        return false;
    m_partialLine.clear();
    return StartEngineViaPipes();
}

bool TEngineProcess::StartEngineViaPipes()
{
    const QFileInfo engine(m_engineFile);
    if (m_engineFile.isEmpty() || !engine.exists()) {
        Inform(QStringLiteral("Could not find the engine"));
        return false;
    }
    auto *process = new QProcess(this);
    process->setProgram(engine.absoluteFilePath());
    process->setArguments(m_arguments);
    process->setWorkingDirectory(engine.absolutePath());
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start();
    if (!process->waitForStarted(StartTimeout)) {
        delete process;
        Inform(QStringLiteral("Could not run the engine"));
        return false;
    }
    connect(process, &QProcess::finished, this, &TEngineProcess::EngineFinished);
    connect(process, &QProcess::readyRead, this, &TEngineProcess::OutputArrived);
    m_process = process;
    return true;
}

void TEngineProcess::Disconnect(bool quietly)
{
    if (!Connected())
        return;
    // Commands still waiting are of no use to an engine that is told to quit.
    m_commandGap.stop();
    m_wakeUp.stop();
    m_waitingCommands.clear();
    if (!quietly)
        SendCommand(QStringLiteral("quit"));
    m_busy = true;
    DisconnectViaPipes();
    m_pipeCheckingTimer.stop();
    m_deferredRead.stop();
}

void TEngineProcess::DisconnectViaPipes()
{
    if (!Connected() || !m_process)
        return;
    QProcess *process = m_process;
    m_process = nullptr;
    disconnect(process, nullptr, this, nullptr);
    process->closeWriteChannel();
    LetEnd(process);
}

void TEngineProcess::SendCommand(const QString &text)
{
    if (text.isEmpty() || !Connected() || !m_process)
        return;
    const bool spaced = m_commandGap.interval() > 0;
    if (spaced && (m_commandGap.isActive() || !m_waitingCommands.isEmpty())) {
        m_waitingCommands.append(text);
        return;
    }
    WriteCommand(text);
    if (spaced && Connected())
        m_commandGap.start();
}

void TEngineProcess::SendNextCommand()
{
    if (!Connected() || m_waitingCommands.isEmpty())
        return;
    WriteCommand(m_waitingCommands.takeFirst());
    if (Connected())
        m_commandGap.start();
}

void TEngineProcess::WakeUp()
{
    // An engine whose start-up waits on its own input (gnuchess) goes on only
    // when a line comes; a command about to go out is line enough.
    if (!Connected() || m_commandGap.isActive() || !m_waitingCommands.isEmpty())
        return;
    WriteCommand(QString());
    if (++m_wakeUps == QuickWakeUps)
        m_wakeUp.setInterval(SlowWakeUpInterval);
}

void TEngineProcess::WriteCommand(const QString &text)
{
    if (!m_process)
        return;
    WriteLog(QStringLiteral("<-- ") + text);
    const QByteArray bytes = text.toUtf8() + '\n';
    // A command still waiting means the engine has stopped reading its input:
    // the ones after it queue behind it without a wait, so that such an
    // engine cannot hold the window up for every command sent to it.
    const bool engineReads = m_process->bytesToWrite() == 0;
    if (m_process->write(bytes) != bytes.size()) {
        Inform(QStringLiteral("Problem with WriteFile(hChildStdinWrDup...)  GetLastError=%1")
                   .arg(int(m_process->error())));
        return;
    }
    // One command, one write: some engines lose commands that arrive together.
    // Output that arrives meanwhile is read after the command has gone.
    if (engineReads) {
        const bool wasBusy = std::exchange(m_busy, true);
        m_process->waitForBytesWritten(WriteTimeout);
        if (Connected())
            m_busy = wasBusy;
    }
}

bool TEngineProcess::Connected() const
{
    return m_pipeCheckingTimer.isActive();
}

void TEngineProcess::PollPipes()
{
    if (m_busy)
        return;
    {
        m_busy = true;
        const auto clearBusy = qScopeGuard([this] { m_busy = false; });
        CheckPipes();
    }
    if (Connected() && m_statusRequests && m_lastStatusRequest.elapsed() > StatusRequestInterval) {
        SendCommand(QStringLiteral("."));
        m_lastStatusRequest.start();
    }
}

void TEngineProcess::OutputArrived()
{
    // Output that comes while a connect or a message box runs is read once
    // it is over, in the order it came.
    if (m_busy) {
        if (Connected())
            m_deferredRead.start();
        return;
    }
    m_busy = true;
    const auto clearBusy = qScopeGuard([this] { m_busy = false; });
    CheckPipes();
}

void TEngineProcess::CheckPipes()
{
    // Everything waiting is taken, so the labels keep up with a fast engine.
    if (Connected() && m_process && m_process->bytesAvailable() > 0) {
        m_wakeUp.stop();
        ProcessCommands(m_process->readAll());
    }
}

void TEngineProcess::ProcessCommands(const QByteArray &bytes)
{
    m_partialLine += bytes;
    const qsizetype complete = m_partialLine.lastIndexOf('\n') + 1;

    QList<QByteArrayView> lines;
    for (qsizetype start = 0; start < complete;) {
        const qsizetype end = m_partialLine.indexOf('\n', start);
        lines.append(QByteArrayView(m_partialLine).sliced(start, std::min(end - start, MaxLineLength)));
        start = end + 1;
    }
    // A flood keeps what is not thinking output, and the latest thinking line.
    qsizetype skipped = 0;
    if (lines.size() > MaxLinesPerRead || complete > MaxBytesPerRead)
        skipped = DropOlderThinkingLines(lines);

    QByteArray log;
    if (skipped > 0)
        log += "--- " + QByteArray::number(skipped) + " lines of output skipped\n";
    QStringList texts;
    texts.reserve(lines.size());
    for (QByteArrayView view : std::as_const(lines)) {
        QByteArray line = view.toByteArray();
        line.removeIf([](char c) { return c == '\r'; });
        texts.append(QString::fromUtf8(line));
        log += "--> " + line + '\n';
    }
    WriteLogBytes(log);
    m_partialLine.remove(0, complete);
    // An engine that never ends its line cannot fill the memory.
    if (m_partialLine.size() > MaxLineLength)
        m_partialLine.truncate(MaxLineLength);
    if (!texts.isEmpty())
        emit linesReceived(texts);
}

void TEngineProcess::ReadPendingLines()
{
    if (Connected() && m_process) {
        m_process->waitForReadyRead(0);
        CheckPipes();
    }
}

void TEngineProcess::EngineFinished()
{
    if (!Connected() || !m_process)
        return;
    ProcessCommands(m_process->readAll());
    Disconnect(true);
    emit engineLost();
}

void TEngineProcess::OpenLog()
{
    CloseLog();
    const QFileInfo engine(m_engineFile);
    const QString name = engine.completeBaseName() + QStringLiteral(".tellmar.log");
    QStringList folders{engine.absolutePath()};
    if (!m_logFallbackFolder.isEmpty())
        folders.append(m_logFallbackFolder);
    for (const QString &folder : folders) {
        m_log.setFileName(QDir(folder).filePath(name));
        if (m_log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return;
    }
    m_log.setFileName(QString());
}

void TEngineProcess::CloseLog()
{
    m_log.close();
}

void TEngineProcess::WriteLog(const QString &line)
{
    WriteLogBytes(line.toUtf8() + '\n');
}

void TEngineProcess::WriteLogBytes(const QByteArray &bytes)
{
    if (!m_log.isOpen() || bytes.isEmpty())
        return;
    m_log.write(bytes);
    m_log.flush();
}
