#include "service/xfcc_transport.h"

#include "service/xfcc_error.h"

#include <QEventLoop>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>

#include <memory>

namespace {

class SystemProxyFactory final : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        return systemProxyForQuery(query);
    }
};

} // namespace

SoapHttpReply PostSoapRequest(const XfccTransport &transport, const QUrl &address,
                              const QByteArray &soapAction, const QByteArray &body)
{
    std::unique_ptr<QNetworkAccessManager> ownNetwork;
    QNetworkAccessManager *network = transport.network;
    if (!network) {
        ownNetwork = std::make_unique<QNetworkAccessManager>();
        ownNetwork->setProxyFactory(new SystemProxyFactory);
        network = ownNetwork.get();
    }

    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml; charset=utf-8"));
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Quorval"));
    request.setRawHeader(QByteArrayLiteral("SOAPAction"), soapAction);
    // A redirect would carry the password to an address the user never
    // entered; it is reported instead of followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    const std::unique_ptr<QNetworkReply> reply(network->post(request, body));

    QString failure;
    const auto abortWith = [&](const QString &text) {
        if (failure.isEmpty())
            failure = text;
        reply->abort();
    };
    // Each limit aborts the call with a text that names the server.
    const QString server = address.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemoveQuery);
    const auto limit = [&](QTimer &timer, std::chrono::milliseconds duration, const QString &what) {
        timer.setSingleShot(true);
        timer.setInterval(duration);
        QObject::connect(&timer, &QTimer::timeout, reply.get(), [&abortWith, server, duration, what] {
            abortWith(QStringLiteral("%1 %2 within %3 seconds")
                          .arg(server, what)
                          .arg(std::chrono::duration<double>(duration).count()));
        });
        timer.start();
    };
    QTimer stall;
    QTimer whole;
    limit(stall, transport.stallTimeout, QStringLiteral("did not answer"));
    limit(whole, transport.callTimeout, QStringLiteral("did not complete its answer"));
    QObject::connect(reply.get(), &QNetworkReply::uploadProgress, &stall, qOverload<>(&QTimer::start));
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, reply.get(),
                     [&](qint64 received, qint64 total) {
                         stall.start();
                         if (received > transport.maxReplySize || total > transport.maxReplySize)
                             abortWith(QStringLiteral("The server's reply is larger than %1")
                                           .arg(QLocale::c().formattedDataSize(transport.maxReplySize)));
                     });

    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (!failure.isEmpty())
        throw EXfccError(failure);
    if (const QVariant target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute); target.isValid())
        throw EXfccError(QStringLiteral("The server redirected the request to %1; enter that address for the "
                                        "server if you trust it")
                             .arg(address.resolved(target.toUrl()).toDisplayString(QUrl::RemoveUserInfo)));
    SoapHttpReply result{reply->readAll(), {}};
    if (reply->error() != QNetworkReply::NoError)
        result.error = reply->errorString();
    return result;
}
