#include "service/server_check.h"

#include "service/xfccbasic.h"

#include <QEventLoop>
#include <QNetworkAccessManager>

TServerCheck::TServerCheck(QList<XfccAccount> servers, const XfccTransport &transport, QObject *parent)
    : QObject(parent)
    , m_servers(std::move(servers))
    , m_transport(transport)
    , m_outcomes(m_servers.size())
{
    if (!m_transport.network) {
        m_network = NewXfccNetwork();
        m_transport.network = m_network.get();
    }
}

TServerCheck::~TServerCheck()
{
    qDeleteAll(m_calls);
}

void TServerCheck::start()
{
    if (m_started)
        return;
    m_started = true;
    m_pending = int(m_servers.size());
    for (int i = 0; i < m_servers.size(); ++i) {
        auto *call = new TGetMyGamesCall(m_servers[i], m_transport);
        connect(call, &TGetMyGamesCall::finished, this, [this, i] { take(i); });
        m_calls << call;
    }
    if (m_pending == 0)
        Q_EMIT finished();
}

void TServerCheck::take(int index)
{
    ServerCheckOutcome &outcome = m_outcomes[index];
    try {
        outcome.games = m_calls[index]->games();
        outcome.answered = true;
    } catch (const EXfccError &failure) {
        outcome.failure = failure.message();
        outcome.failureKind = failure.kind();
    }
    --m_pending;
    Q_EMIT serverChecked(index);
    if (m_pending == 0)
        Q_EMIT finished();
}

void TServerCheck::cancel()
{
    for (TGetMyGamesCall *call : std::as_const(m_calls))
        call->abort(QStringLiteral("The request was cancelled"), EXfccError::Kind::Cancelled);
}

void TServerCheck::wait()
{
    start();
    if (isFinished())
        return;
    QEventLoop loop;
    connect(this, &TServerCheck::finished, &loop, &QEventLoop::quit);
    loop.exec(RequestLoopFlags(m_transport));
}
