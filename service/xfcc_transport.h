#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;

// How XfccBasic requests travel: the network access to use and the limits that
// keep a dead or hostile server from hanging or flooding the program.
struct XfccTransport {
    // The manager to send with (not owned); nullptr gives each call a fresh one
    // that uses the system's proxy configuration.
    QNetworkAccessManager *network = nullptr;
    // A call fails when nothing was sent or received for this long.
    std::chrono::milliseconds stallTimeout = std::chrono::seconds(60);
    // A call fails when it takes longer than this in all, so that a server
    // that trickles bytes cannot hold the program either.
    std::chrono::milliseconds callTimeout = std::chrono::minutes(10);
    // A call fails when the reply grows beyond this many bytes.
    qint64 maxReplySize = qint64(32) * 1024 * 1024;
};

// What came back from the server: the body, and the transport's error text when
// the HTTP exchange failed (the body may still hold a SOAP fault).
struct SoapHttpReply {
    QByteArray body;
    QString error;
};

// Posts a SOAP 1.1 request and waits for its reply. The event loop keeps
// running but takes no user input meanwhile, so windows repaint while the
// caller waits. Throws EXfccError when the server stalls, the call takes too
// long or the reply is too large.
SoapHttpReply PostSoapRequest(const XfccTransport &transport, const QUrl &address,
                              const QByteArray &soapAction, const QByteArray &body);
