#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs xfcc-test-server as a child process on a free loopback port, for as long
// as the object lives.
class TXfccTestServerProcess
{
public:
    TXfccTestServerProcess() = default;
    ~TXfccTestServerProcess();
    TXfccTestServerProcess(const TXfccTestServerProcess &) = delete;
    TXfccTestServerProcess &operator=(const TXfccTestServerProcess &) = delete;

    // Starts the server with the data file (and any further arguments, such as
    // "--save") and waits until it listens. False, with errorString(), when it
    // does not come up.
    bool start(const QString &dataFile, const QStringList &extraArguments = {});
    // Stops the server; nothing happens when it does not run.
    void stop();

    // "http://127.0.0.1:<port>/XfccBasic.asmx"
    QString serviceAddress() const { return m_address; }
    QString errorString() const { return m_error; }

    // Runs the server to its end with the arguments, for checking how it
    // refuses them; returns its exit code and what it wrote to stderr.
    static int runToExit(const QStringList &arguments, QByteArray *standardError = nullptr);

    static QString executable();

private:
    QProcess m_process;
    QString m_address;
    QString m_error;
};
