#pragma once

#include "service/xfcc_error.h"

#include <QByteArray>
#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;
class TXfccCancellation;

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
    // Where the player can cancel the call (not owned); nullptr: nowhere.
    TXfccCancellation *cancellation = nullptr;
};

// What came back from the server: the body, and the transport's error text when
// the HTTP exchange failed (the body may still hold a SOAP fault), with the
// kind of that failure.
struct SoapHttpReply {
    QByteArray body;
    QString error;
    EXfccError::Kind errorKind = EXfccError::Kind::Connection;
};

// One SOAP 1.1 request on its way: posted when made, finished() once its
// reply has come or it failed. Many can run at once.
class TSoapCall : public QObject
{
    Q_OBJECT
public:
    TSoapCall(const XfccTransport &transport, const QUrl &address, const QByteArray &soapAction,
              const QByteArray &body, QObject *parent = nullptr);
    ~TSoapCall() override;

    bool isFinished() const { return m_finished; }
    // Ends a running call at once with that failure.
    void abort(const QString &text, EXfccError::Kind kind);
    // Once finished: what the server sent. Throws EXfccError when the call
    // ended before a reply: a limit, a redirect or a cancel.
    SoapHttpReply result() const;

Q_SIGNALS:
    void finished();

private:
    void startLimit(QTimer *timer, std::chrono::milliseconds duration, const QString &what);
    void finish();

    XfccTransport m_transport;
    QUrl m_address;
    std::unique_ptr<QNetworkAccessManager> m_ownNetwork;
    std::unique_ptr<QNetworkReply> m_reply;
    QTimer *m_stall;
    QTimer *m_whole;
    QString m_failure;
    EXfccError::Kind m_failureKind = EXfccError::Kind::Connection;
    SoapHttpReply m_result;
    bool m_finished = false;
};

// Posts a SOAP 1.1 request and waits for its reply. The event loop keeps
// running meanwhile, so windows repaint while the caller waits; it takes user
// input only when the transport can be cancelled (the one who can cancel shows
// a modal window). Throws EXfccError when the server stalls, the call takes too
// long, the reply is too large or the call is cancelled.
SoapHttpReply PostSoapRequest(const XfccTransport &transport, const QUrl &address,
                              const QByteArray &soapAction, const QByteArray &body);

// A network manager as a request makes one for itself: with the system's proxy
// configuration. Requests that go out together share one.
std::unique_ptr<QNetworkAccessManager> NewXfccNetwork();

// The events a local loop that waits for requests of the transport takes: all
// when the requests can be cancelled, all but user input otherwise.
QEventLoop::ProcessEventsFlags RequestLoopFlags(const XfccTransport &transport);
