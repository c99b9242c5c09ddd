#include "tests/support/xfcc_test_server_process.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

namespace {

constexpr int StartTimeoutMs = 15000;

} // namespace

TXfccTestServerProcess::~TXfccTestServerProcess()
{
    stop();
}

QString TXfccTestServerProcess::executable()
{
    return QStringLiteral(QUORVAL_XFCC_TEST_SERVER);
}

bool TXfccTestServerProcess::start(const QString &dataFile, const QStringList &extraArguments)
{
    stop();
    m_address.clear();
    m_error.clear();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(executable(), QStringList{QStringLiteral("--port"), QStringLiteral("0"), dataFile}
                                      + extraArguments);
    if (!m_process.waitForStarted(StartTimeoutMs)) {
        m_error = m_process.errorString();
        return false;
    }
    // The server prints one line with its address once it listens.
    static const QRegularExpression listening(QStringLiteral("^Listening on (http://\\S+)"));
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!m_process.canReadLine()) {
        if (m_process.state() != QProcess::Running || deadline.hasExpired()
            || !m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            m_error = QStringLiteral("xfcc-test-server did not start listening (exit code %1)")
                          .arg(m_process.exitCode());
            stop();
            return false;
        }
    }
    const QRegularExpressionMatch match = listening.match(QString::fromUtf8(m_process.readLine()));
    if (!match.hasMatch()) {
        m_error = QStringLiteral("xfcc-test-server printed no address");
        stop();
        return false;
    }
    m_address = match.captured(1);
    return true;
}

void TXfccTestServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(StartTimeoutMs);
}

int TXfccTestServerProcess::runToExit(const QStringList &arguments, QByteArray *standardError)
{
    QProcess process;
    process.start(executable(), arguments);
    if (!process.waitForFinished(StartTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (standardError)
        *standardError = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
