#pragma once

#include "tools/xfcc-test-server/test_server_state.h"

#include <QHttpServer>
#include <QObject>

class QHttpServerRequest;
class QHttpServerResponse;

// An XfccBasic server on 127.0.0.1 that serves its state at "/XfccBasic.asmx".
// It checks requests as strictly as a real server: anything but a POST of
// "text/xml" with the right action, envelope, namespaces and parameters gets
// an HTTP error or a SOAP fault.
class TXfccTestServer : public QObject
{
    Q_OBJECT

public:
    explicit TXfccTestServer(TestServerState state, QObject *parent = nullptr);

    // Listens on the loopback address; port 0 picks a free one. Returns the
    // port, or 0 when listening failed.
    quint16 listen(quint16 port);

    const TestServerState &state() const { return m_state; }

    static constexpr QLatin1String ServicePath{"/XfccBasic.asmx"};

signals:
    // A MakeAMove request changed a game.
    void stateChanged();

private:
    QHttpServerResponse handle(const QHttpServerRequest &request);
    QHttpServerResponse answer(const QHttpServerRequest &request);

    TestServerState m_state;
    QHttpServer m_http;
};
