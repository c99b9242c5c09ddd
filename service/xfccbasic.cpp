#include "service/xfccbasic.h"

#include "service/soap_envelope.h"
#include "service/xfcc_error.h"
#include "service/xfcc_wire.h"

namespace {

// The user name and password go wherever the address points: only to a web
// server the player named, never to a default or another scheme.
QUrl ServiceUrl(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        throw EXfccError(QStringLiteral("The service address \"%1\" is not a valid web address").arg(address));
    return url;
}

// The body of a reply whose exchange succeeded; a fault or a failed exchange throws.
QByteArray ReplyBody(const SoapHttpReply &reply)
{
    if (!reply.error.isEmpty()) {
        if (const std::optional<QString> fault = ReadSoapFault(reply.body))
            throw EXfccError(*fault, EXfccError::Kind::Fault);
        throw EXfccError(reply.error, reply.errorKind);
    }
    return reply.body;
}

class XfccBasicSoapProxy final : public XfccBasicSoap
{
public:
    XfccBasicSoapProxy(const QString &address, const XfccTransport &transport)
        : m_address(address),
          m_transport(transport)
    {
    }

    ArrayOfXfccGame GetMyGames(const QString &username, const QString &password) override
    {
        return ReadGetMyGamesResponse(
            call(GetMyGamesOperation, GetMyGamesParameters, {username, password}));
    }

    MakeAMoveResult MakeAMove(const QString &username, const QString &password, int gameId,
                              bool resign, bool acceptDraw, int movecount, const QString &myMove,
                              bool offerDraw, bool claimDraw, const QString &myMessage) override
    {
        return ReadMakeAMoveResponse(call(
            MakeAMoveOperation, MakeAMoveParameters,
            {username, password, QString::number(gameId), XfccBoolText(resign),
             XfccBoolText(acceptDraw), QString::number(movecount), myMove, XfccBoolText(offerDraw),
             XfccBoolText(claimDraw), myMessage}));
    }

private:
    QByteArray call(QLatin1String operation, std::span<const QLatin1String> parameters,
                    const QStringList &values)
    {
        return ReplyBody(PostSoapRequest(m_transport, ServiceUrl(m_address), XfccSoapAction(operation),
                                         WriteSoapRequest(operation, parameters, values)));
    }

    QString m_address;
    XfccTransport m_transport;
};

} // namespace

std::unique_ptr<XfccBasicSoap> GetXfccBasicSoap(bool useWsdl, const QString &address,
                                                const XfccTransport &transport)
{
    Q_UNUSED(useWsdl);
    return std::make_unique<XfccBasicSoapProxy>(address, transport);
}

TGetMyGamesCall::TGetMyGamesCall(const XfccAccount &account, const XfccTransport &transport, QObject *parent)
    : QObject(parent)
{
    try {
        m_call = new TSoapCall(transport, ServiceUrl(account.ServiceUrl), XfccSoapAction(GetMyGamesOperation),
                               WriteSoapRequest(GetMyGamesOperation, GetMyGamesParameters,
                                                {account.UserName, account.Password}),
                               this);
    } catch (const EXfccError &) {
        m_outcome = std::current_exception();
    }
    if (m_call && !m_call->isFinished())
        connect(m_call, &TSoapCall::finished, this, &TGetMyGamesCall::takeReply);
    else  // told once the caller had a chance to connect
        QMetaObject::invokeMethod(this, &TGetMyGamesCall::takeReply, Qt::QueuedConnection);
}

void TGetMyGamesCall::abort(const QString &text, EXfccError::Kind kind)
{
    if (m_call)
        m_call->abort(text, kind);
}

void TGetMyGamesCall::takeReply()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_call) {
        try {
            m_games = ReadGetMyGamesResponse(ReplyBody(m_call->result()));
        } catch (const EXfccError &) {
            m_outcome = std::current_exception();
        }
    }
    Q_EMIT finished();
}

ArrayOfXfccGame TGetMyGamesCall::games() const
{
    if (m_outcome)
        std::rethrow_exception(m_outcome);
    return m_games;
}
