#include "service/xfccbasic.h"

#include "service/soap_envelope.h"
#include "service/xfcc_error.h"
#include "service/xfcc_wire.h"

namespace {

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
        const QUrl url(m_address, QUrl::StrictMode);
        // The user name and password go wherever the address points: only to
        // a web server the player named, never to a default or another scheme.
        const QString scheme = url.scheme().toLower();
        if (!url.isValid() || url.isRelative() || url.host().isEmpty()
            || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
            throw EXfccError(QStringLiteral("The service address \"%1\" is not a valid web address")
                                 .arg(m_address));
        const SoapHttpReply reply = PostSoapRequest(m_transport, url, XfccSoapAction(operation),
                                                    WriteSoapRequest(operation, parameters, values));
        if (!reply.error.isEmpty()) {
            if (const std::optional<QString> fault = ReadSoapFault(reply.body))
                throw EXfccError(*fault, EXfccError::Kind::Fault);
            throw EXfccError(reply.error);
        }
        return reply.body;
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
