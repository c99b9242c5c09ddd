#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <chrono>

class QProcess;

// One engine child process with its standard input and output. Commands go
// out one line per write, spaced when a gap is set, and queue without a wait
// once the engine stops reading them; the output is read as it arrives, split into lines and
// handed on, without the older thinking lines when an engine floods it. A
// timer runs every 500 ms while an engine is connected. The traffic is
// logged beside the engine in "<engine name>.tellmar.log". Failures are told
// through TPrompts.
class TEngineProcess : public QObject
{
    Q_OBJECT

public:
    explicit TEngineProcess(QObject *parent = nullptr);
    ~TEngineProcess() override;

    // Clears the link state; the timer is off until the next connect.
    void SetEngineDefault();

    // Starts the engine and sends the opening commands; tells the user when
    // the engine could not be started.
    bool Connect(const QString &engineFile, const QStringList &openingCommands);
    bool ConnectViaPipes();
    bool StartEngineViaPipes();
    // Stops the engine: "quit" unless quietly, then its input is closed.
    void Disconnect(bool quietly);
    void DisconnectViaPipes();
    // Writes one command and a line feed to the engine.
    void SendCommand(const QString &text);
    // Hands on at once every line the engine has written so far.
    void ReadPendingLines();
    // Whether an engine runs: exactly while the pipe timer is on.
    bool Connected() const;

    // The least time between two commands (none by default), for engines
    // that lose commands arriving together; later commands wait their turn.
    void SetCommandGap(std::chrono::milliseconds gap) { m_commandGap.setInterval(gap); }
    // Arguments given to the engine program (none by default).
    void SetArguments(const QStringList &arguments) { m_arguments = arguments; }
    // Where the traffic log goes when the engine's folder cannot be written.
    void SetLogFallbackFolder(const QString &folder) { m_logFallbackFolder = folder; }
    // Whether blank lines wake the engine until its first output: some
    // engines finish starting only as input arrives.
    void SetWakeUpsAtStart(bool on) { m_wakeUpsAtStart = on; }
    // Whether "." asks the engine for its status every second.
    void SetStatusRequests(bool on) { m_statusRequests = on; }
    bool StatusRequests() const { return m_statusRequests; }

    QString EngineFile() const { return m_engineFile; }
    QString LogFileName() const { return m_log.fileName(); }
    void CloseLog();

    QTimer *PipeCheckingTimer() { return &m_pipeCheckingTimer; }

signals:
    // The complete lines of one read, without line ends, in order.
    void linesReceived(const QStringList &lines);
    // The engine ended while it was connected; the link is already down.
    void engineLost();

public slots:
    // The pipe timer's tick: reads what the engine wrote and, with status
    // requests on, asks for the status once a second.
    void PollPipes();

private:
    void WriteCommand(const QString &text);
    void SendNextCommand();
    void WakeUp();
    void OutputArrived();
    void CheckPipes();
    void ProcessCommands(const QByteArray &bytes);
    void OpenLog();
    void WriteLog(const QString &line);
    void WriteLogBytes(const QByteArray &bytes);
    void EngineFinished();

    QTimer m_pipeCheckingTimer;
    QTimer m_deferredRead;  // a read put off while busy
    QTimer m_commandGap;    // runs from one command until the next may go
    QTimer m_wakeUp;        // runs from the start until the engine's first output, with wake-ups on
    int m_wakeUps = 0;
    QStringList m_waitingCommands;
    QPointer<QProcess> m_process;
    QString m_engineFile;
    QStringList m_arguments;
    QString m_logFallbackFolder;
    QFile m_log;
    QByteArray m_partialLine;
    QElapsedTimer m_lastStatusRequest;
    bool m_busy = false;
    bool m_statusRequests = false;
    bool m_wakeUpsAtStart = false;
};
