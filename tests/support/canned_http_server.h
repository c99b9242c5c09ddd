#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>

#include <chrono>
#include <memory>

class QSslConfiguration;
class QTcpSocket;

// A scripted HTTP peer on a free loopback port: it answers every request with
// the same bytes, or never answers, or misbehaves as a hostile server would,
// and keeps every request it received. It
// runs on the caller's event loop, so synchronous calls made from the same
// thread reach it.
class TCannedHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        // The value of the header with that name (any case); empty when absent.
        QByteArray header(const QByteArray &name) const;
    };

    explicit TCannedHttpServer(QObject *parent = nullptr);
    // An HTTPS peer with that certificate and key.
    explicit TCannedHttpServer(const QSslConfiguration &tls, QObject *parent = nullptr);

    // A complete response with that status and body.
    static QByteArray response(int status, const QByteArray &body,
                               const QByteArray &contentType = "text/xml; charset=utf-8");

    // The complete HTTP response to send, status line and headers included.
    void setRawReply(const QByteArray &response);
    // A response with that status and body, of type "text/xml; charset=utf-8".
    void setReply(int status, const QByteArray &body,
                  const QByteArray &contentType = "text/xml; charset=utf-8");
    // Answer the next request with this complete response, before any other
    // queued one; the standing reply is used again once the queue is empty.
    void queueRawReply(const QByteArray &response);
    // Read requests but never answer them.
    void setSilent();
    // Send the reply one byte per interval instead of at once.
    void setTrickle(std::chrono::milliseconds interval);
    // Leave the connection open once the reply is sent, so that a reply
    // without a complete body never ends.
    void setKeepOpen(bool keepOpen);
    // After the head (status line and headers), send `chunk` again and again
    // as fast as the client takes it, `bodySize` bytes in all, or without end
    // when bodySize is negative. The body is never held in memory as a whole.
    void setStreamedReply(const QByteArray &head, const QByteArray &chunk, qint64 bodySize);

    // "http://127.0.0.1:<port>/XfccBasic.asmx", or "https://..."
    QString serviceAddress() const;
    const QList<Request> &requests() const { return m_requests; }

private:
    TCannedHttpServer(std::unique_ptr<QTcpServer> server, QObject *parent);
    void serve(QTcpSocket *socket);
    void stream(QTcpSocket *socket);
    void finish(QTcpSocket *socket);

    std::unique_ptr<QTcpServer> m_server;
    QByteArray m_reply;
    QList<QByteArray> m_queued;
    bool m_silent = false;
    std::chrono::milliseconds m_trickle{0};
    bool m_keepOpen = false;
    QByteArray m_streamChunk;
    qint64 m_streamSize = 0;
    QList<Request> m_requests;
};
