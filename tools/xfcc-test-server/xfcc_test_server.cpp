#include "tools/xfcc-test-server/xfcc_test_server.h"

#include "service/xfcc_wire.h"
#include "tools/xfcc-test-server/server_soap.h"

#include <QHttpServerRequest>
#include <QHttpServerResponse>

namespace {

using StatusCode = QHttpServerResponse::StatusCode;

QHttpServerResponse plainError(const QString &text, StatusCode status)
{
    return QHttpServerResponse(QByteArrayLiteral("text/plain; charset=utf-8"), text.toUtf8(), status);
}

QHttpServerResponse soapResponse(const QByteArray &envelope, StatusCode status = StatusCode::Ok)
{
    return QHttpServerResponse(QByteArrayLiteral("text/xml; charset=utf-8"), envelope, status);
}

// "text/xml", optionally with a UTF-8 charset.
bool isXmlContentType(const QByteArray &contentType)
{
    const QList<QByteArray> parts = contentType.split(';');
    if (parts.first().trimmed().toLower() != "text/xml")
        return false;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray parameter = parts[i].trimmed().toLower();
        if (parameter.startsWith("charset=")) {
            const QByteArray charset = parameter.mid(8).replace('"', "");
            if (charset != "utf-8")
                return false;
        }
    }
    return true;
}

bool parseInt(const QString &text, int &value)
{
    const auto parsed = ParseXfccInt(text);
    value = parsed.value_or(0);
    return parsed.has_value();
}

bool parseBool(const QString &text, bool &value)
{
    const auto parsed = ParseXfccBool(text);
    value = parsed.value_or(false);
    return parsed.has_value();
}

MakeAMoveRequest makeAMoveRequest(const QStringList &arguments)
{
    MakeAMoveRequest request;
    request.username = arguments[0];
    request.password = arguments[1];
    request.myMove = arguments[6];
    request.myMessage = arguments[9];
    const bool valid = parseInt(arguments[2], request.gameId)
                    && parseBool(arguments[3], request.resign)
                    && parseBool(arguments[4], request.acceptDraw)
                    && parseInt(arguments[5], request.movecount)
                    && parseBool(arguments[7], request.offerDraw)
                    && parseBool(arguments[8], request.claimDraw);
    if (!valid)
        throw SoapFault{QStringLiteral("soap:Client"),
                        QStringLiteral("Server was unable to read request. ---> "
                                       "A parameter holds a value of the wrong type")};
    return request;
}

} // namespace

TXfccTestServer::TXfccTestServer(TestServerState state, QObject *parent)
    : QObject(parent), m_state(std::move(state))
{
    m_http.route(QString(ServicePath), [this](const QHttpServerRequest &request) {
        return handle(request);
    });
}

quint16 TXfccTestServer::listen(quint16 port)
{
    return m_http.listen(QHostAddress::LocalHost, port);
}

QHttpServerResponse TXfccTestServer::handle(const QHttpServerRequest &request)
{
    if (request.url().path() != ServicePath)
        return plainError(QStringLiteral("Not found"), StatusCode::NotFound);
    if (request.method() != QHttpServerRequest::Method::Post) {
        QHttpServerResponse response = plainError(QStringLiteral("Only POST requests are served here"),
                                                  StatusCode::MethodNotAllowed);
        response.setHeader(QByteArrayLiteral("Allow"), QByteArrayLiteral("POST"));
        return response;
    }
    if (!isXmlContentType(request.value(QByteArrayLiteral("Content-Type"))))
        return plainError(QStringLiteral("The content type must be text/xml in UTF-8"),
                          StatusCode::UnsupportedMediaType);
    try {
        return answer(request);
    } catch (const SoapFault &fault) {
        return soapResponse(WriteSoapFault(fault), StatusCode::InternalServerError);
    }
}

QHttpServerResponse TXfccTestServer::answer(const QHttpServerRequest &request)
{
    const SoapCall call = ReadSoapCall(request.body(), request.value(QByteArrayLiteral("SOAPAction")));
    if (call.operation == GetMyGamesOperation) {
        const QString &username = call.arguments[0];
        if (!m_state.authenticate(username, call.arguments[1]))
            throw SoapFault{QStringLiteral("soap:Server"),
                            QStringLiteral("Server was unable to process request. ---> "
                                           "Invalid user name or password")};
        return soapResponse(WriteGetMyGamesResponse(m_state.gamesOf(username)));
    }
    const MakeAMoveResult result = m_state.makeAMove(makeAMoveRequest(call.arguments));
    if (result == MakeAMoveResult::Success)
        emit stateChanged();
    return soapResponse(WriteMakeAMoveResponse(result));
}
