#include "service/xfcc_transport.h"

#include "service/xfcc_cancellation.h"

#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>

namespace {

class SystemProxyFactory final : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        return systemProxyForQuery(query);
    }
};

EXfccError::Kind KindOf(const QNetworkReply &reply)
{
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return EXfccError::Kind::Refused;
    case QNetworkReply::TimeoutError:
        return EXfccError::Kind::TimedOut;
    case QNetworkReply::SslHandshakeFailedError:
        return EXfccError::Kind::Tls;
    default:
        break;
    }
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400 ? EXfccError::Kind::HttpStatus
                                                                                      : EXfccError::Kind::Connection;
}

} // namespace

TSoapCall::TSoapCall(const XfccTransport &transport, const QUrl &address, const QByteArray &soapAction,
                     const QByteArray &body, QObject *parent)
    : QObject(parent)
    , m_transport(transport)
    , m_address(address)
    , m_stall(new QTimer(this))
    , m_whole(new QTimer(this))
{
    QNetworkAccessManager *network = transport.network;
    if (!network) {
        m_ownNetwork = NewXfccNetwork();
        network = m_ownNetwork.get();
    }

    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml; charset=utf-8"));
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Quorval"));
    request.setRawHeader(QByteArrayLiteral("SOAPAction"), soapAction);
    // A redirect would carry the password to an address the user never
    // entered; it is reported instead of followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    m_reply.reset(network->post(request, body));
    connect(m_reply.get(), &QNetworkReply::finished, this, &TSoapCall::finish);

    startLimit(m_stall, transport.stallTimeout, QStringLiteral("did not answer"));
    startLimit(m_whole, transport.callTimeout, QStringLiteral("did not complete its answer"));
    connect(m_reply.get(), &QNetworkReply::uploadProgress, m_stall, qOverload<>(&QTimer::start));
    connect(m_reply.get(), &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        m_stall->start();
        if (received > m_transport.maxReplySize || total > m_transport.maxReplySize)
            abort(QStringLiteral("The server's reply is larger than %1")
                      .arg(QLocale::c().formattedDataSize(m_transport.maxReplySize)),
                  EXfccError::Kind::Connection);
    });

    if (TXfccCancellation *cancellation = transport.cancellation) {
        const auto cancel = [this] { abort(QStringLiteral("The request was cancelled"), EXfccError::Kind::Cancelled); };
        connect(cancellation, &TXfccCancellation::cancelled, this, cancel);
        if (cancellation->isCancelled())
            cancel();
    }
}

TSoapCall::~TSoapCall()
{
    if (m_reply && !m_reply->isFinished()) {
        disconnect(m_reply.get(), nullptr, this, nullptr);
        m_reply->abort();
    }
}

// Each limit aborts the call with a text that names the server.
void TSoapCall::startLimit(QTimer *timer, std::chrono::milliseconds duration, const QString &what)
{
    const QString server = m_address.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemoveQuery);
    timer->setSingleShot(true);
    timer->setInterval(duration);
    connect(timer, &QTimer::timeout, this, [this, server, duration, what] {
        abort(QStringLiteral("%1 %2 within %3 seconds")
                  .arg(server, what)
                  .arg(std::chrono::duration<double>(duration).count()),
              EXfccError::Kind::TimedOut);
    });
    timer->start();
}

void TSoapCall::abort(const QString &text, EXfccError::Kind kind)
{
    if (m_finished)
        return;
    if (m_failure.isEmpty()) {
        m_failure = text;
        m_failureKind = kind;
    }
    m_reply->abort();  // finishes the reply, and so the call
}

void TSoapCall::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_stall->stop();
    m_whole->stop();
    if (m_failure.isEmpty()) {
        if (const QVariant target = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute); target.isValid()) {
            m_failure = QStringLiteral("The server redirected the request to %1; enter that address for the "
                                       "server if you trust it")
                            .arg(m_address.resolved(target.toUrl()).toDisplayString(QUrl::RemoveUserInfo));
        } else {
            m_result.body = m_reply->readAll();
            if (m_reply->error() != QNetworkReply::NoError) {
                m_result.error = m_reply->errorString();
                m_result.errorKind = KindOf(*m_reply);
            }
        }
    }
    Q_EMIT finished();
}

SoapHttpReply TSoapCall::result() const
{
    if (!m_failure.isEmpty())
        throw EXfccError(m_failure, m_failureKind);
    return m_result;
}

std::unique_ptr<QNetworkAccessManager> NewXfccNetwork()
{
    auto network = std::make_unique<QNetworkAccessManager>();
    network->setProxyFactory(new SystemProxyFactory);
    return network;
}

QEventLoop::ProcessEventsFlags RequestLoopFlags(const XfccTransport &transport)
{
    return transport.cancellation ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
}

SoapHttpReply PostSoapRequest(const XfccTransport &transport, const QUrl &address,
                              const QByteArray &soapAction, const QByteArray &body)
{
    TSoapCall call(transport, address, soapAction, body);
    if (!call.isFinished()) {
        QEventLoop loop;
        QObject::connect(&call, &TSoapCall::finished, &loop, &QEventLoop::quit);
        loop.exec(RequestLoopFlags(transport));
    }
    return call.result();
}
