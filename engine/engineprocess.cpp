#include "engine/engineprocess.h"

#include "ui/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>

#include <algorithm>

namespace {

constexpr int PipeCheckingInterval = 500;   // ms between two reads of the output
constexpr int StatusRequestInterval = 1000; // ms between two "." requests
constexpr int StartTimeout = 5000;          // ms an engine may take to start
constexpr int WriteTimeout = 250;           // ms a command may wait for room in the input pipe
constexpr int QuitGrace = 2000;             // ms an engine has to end after "quit"
constexpr qsizetype MaxLineLength = 65536;  // bytes kept of one line; the rest is dropped
// A read hands on at most this many of the latest lines, and no more bytes
// than this (the latest line is always taken); the older lines of an engine
// that floods its output are skipped, so the window keeps up with it.
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
    connect(&m_pipeCheckingTimer, &QTimer::timeout, this, &TEngineProcess::PipeCheckingTimerTimer);
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
    m_process = process;
    return true;
}

void TEngineProcess::Disconnect(bool quietly)
{
    if (!Connected())
        return;
    if (!quietly)
        SendCommand(QStringLiteral("quit"));
    m_busy = true;
    DisconnectViaPipes();
    m_pipeCheckingTimer.stop();
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
    if (engineReads)
        m_process->waitForBytesWritten(WriteTimeout);
}

bool TEngineProcess::Connected() const
{
    return m_pipeCheckingTimer.isActive();
}

void TEngineProcess::PipeCheckingTimerTimer()
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

void TEngineProcess::CheckPipes()
{
    // Everything waiting is taken, so the labels keep up with a fast engine.
    if (Connected() && m_process && m_process->bytesAvailable() > 0)
        ProcessCommands(m_process->readAll());
}

void TEngineProcess::ProcessCommands(const QByteArray &bytes)
{
    m_partialLine += bytes;
    const qsizetype complete = m_partialLine.lastIndexOf('\n') + 1;

    // The latest lines, taken from the end back while the limits allow.
    qsizetype from = complete;
    qsizetype kept = 0;
    for (int count = 0; from > 0 && count < MaxLinesPerRead; ++count) {
        const qsizetype start = from < 2 ? 0 : m_partialLine.lastIndexOf('\n', from - 2) + 1;
        const qsizetype length = std::min(from - 1 - start, MaxLineLength);
        if (count > 0 && kept + length > MaxBytesPerRead)
            break;
        kept += length;
        from = start;
    }
    QByteArray log;
    if (from > 0) {
        // Qt's own count: a flood skips megabytes at a time.
        const qsizetype skipped = QByteArrayView(m_partialLine).first(from).count('\n');
        log += "--- " + QByteArray::number(skipped) + " lines of output skipped\n";
    }

    QStringList lines;
    for (qsizetype start = from; start < complete;) {
        const qsizetype end = m_partialLine.indexOf('\n', start);
        QByteArray line = m_partialLine.mid(start, std::min(end - start, MaxLineLength));
        line.removeIf([](char c) { return c == '\r'; });
        lines.append(QString::fromUtf8(line));
        log += "--> " + line + '\n';
        start = end + 1;
    }
    WriteLogBytes(log);
    m_partialLine.remove(0, complete);
    // An engine that never ends its line cannot fill the memory.
    if (m_partialLine.size() > MaxLineLength)
        m_partialLine.truncate(MaxLineLength);
    if (!lines.isEmpty())
        emit linesReceived(lines);
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
