#include "tests/support/hostile_replies.h"

#include "tests/support/canned_http_server.h"

using namespace std::chrono_literals;

QByteArray SoapReply(const QByteArray &body, const QByteArray &doctype)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + doctype
         + "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>" + body
         + "</soap:Body></soap:Envelope>";
}

QByteArray GetMyGamesReply(const QByteArray &games, const QByteArray &doctype)
{
    return SoapReply("<GetMyGamesResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
                     "<GetMyGamesResult>" + games + "</GetMyGamesResult></GetMyGamesResponse>",
                     doctype);
}

QByteArray NestedElements(const QByteArray &name, int depth, const QByteArray &inner)
{
    return ("<" + name + ">").repeated(depth) + inner + ("</" + name + ">").repeated(depth);
}

QByteArray EntityBombDoctype()
{
    QByteArray doctype = "<!DOCTYPE soap:Envelope [<!ENTITY l0 \"ha\">";
    for (int i = 1; i <= 9; ++i)
        doctype += "<!ENTITY l" + QByteArray::number(i) + " \"" + ("&l" + QByteArray::number(i - 1) + ";").repeated(10)
                 + "\">";
    return doctype + "]>";
}

QByteArray ReplyHead(const QByteArray &headers)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\n" + headers + "\r\n";
}

QList<THostileMode> HostileModes()
{
    XfccTransport quick;
    quick.stallTimeout = 500ms;
    quick.callTimeout = 5s;
    XfccTransport trickling;
    trickling.stallTimeout = 5s;  // each byte comes in time
    trickling.callTimeout = 1500ms;
    const QByteArray game = "<XfccGame><id>1</id><white>Ann</white></XfccGame>";
    const QByteArray whole = GetMyGamesReply(game);
    const auto raw = [](const QByteArray &response) {
        return [response](TCannedHttpServer &server) { server.setRawReply(response); };
    };
    const auto reply = [](int status, const QByteArray &body, const QByteArray &type = "text/xml; charset=utf-8") {
        return [=](TCannedHttpServer &server) { server.setReply(status, body, type); };
    };
    constexpr qint64 hundredMegabytes = qint64(100) * 1024 * 1024;
    return {
        {"a reply that never ends",
         [whole](TCannedHttpServer &server) {
             server.setRawReply(ReplyHead("Content-Length: 5000\r\n") + whole.left(120));
             server.setKeepOpen(true);
         },
         quick, QStringLiteral("did not answer within 0.5 seconds")},
        {"a reply of 100 MB",
         [](TCannedHttpServer &server) {
             server.setStreamedReply(ReplyHead("Content-Length: " + QByteArray::number(hundredMegabytes) + "\r\n"),
                                     QByteArray(256 * 1024, 'x'), hundredMegabytes);
         },
         quick, QStringLiteral("The server's reply is larger than 32.00 MiB")},
        {"a trickle of one byte a second",
         [whole](TCannedHttpServer &server) {
             server.setReply(200, whole);
             server.setTrickle(1s);
         },
         trickling, QStringLiteral("did not complete its answer within 1.5 seconds")},
        {"a connection closed mid-reply",
         raw(ReplyHead("Content-Length: " + QByteArray::number(whole.size()) + "\r\n") + whole.left(whole.size() / 2)),
         quick, QStringLiteral("closed")},
        {"a redirect",
         raw("HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/elsewhere.asmx\r\nContent-Length: 0\r\n"
             "Connection: close\r\n\r\n"),
         quick, QStringLiteral("The server redirected the request to http://127.0.0.1:1/elsewhere.asmx")},
        {"a 500 page in HTML",
         reply(500, "<html><head><title>Oops</title></head><body><h1>Internal Server Error</h1></body></html>",
               "text/html"),
         quick, QStringLiteral("server replied: Canned")},
        {"a SOAP fault without faultstring",
         reply(500, SoapReply("<soap:Fault><faultcode>soap:Server</faultcode></soap:Fault>")), quick,
         QStringLiteral("The server reported a fault (soap:Server)")},
        {"deeply nested XML",
         reply(500, SoapReply("<soap:Fault><faultstring>" + NestedElements("b", 50000, "too deep")
                              + "</faultstring></soap:Fault>")),
         quick, QStringLiteral("too deep")},
        {"an entity-expansion bomb",
         reply(200, GetMyGamesReply("<XfccGame><white>&l9;</white></XfccGame>", EntityBombDoctype())), quick,
         QStringLiteral("document type declaration")},
        {"a wrong namespace",
         reply(200, SoapReply("<GetMyGamesResponse xmlns=\"http://tempuri.org/\"/><MakeAMoveResponse "
                              "xmlns=\"http://tempuri.org/\"/>")),
         quick, QStringLiteral("its reply holds")},
    };
}
