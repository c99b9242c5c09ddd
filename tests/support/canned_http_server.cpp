#include "tests/support/canned_http_server.h"

#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <memory>

QByteArray TCannedHttpServer::Request::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

TCannedHttpServer::TCannedHttpServer(QObject *parent)
    : TCannedHttpServer(std::make_unique<QTcpServer>(), parent)
{
}

TCannedHttpServer::TCannedHttpServer(const QSslConfiguration &tls, QObject *parent)
    : TCannedHttpServer(
          [&] {
              auto server = std::make_unique<QSslServer>();
              server->setSslConfiguration(tls);
              return server;
          }(),
          parent)
{
}

TCannedHttpServer::TCannedHttpServer(std::unique_ptr<QTcpServer> server, QObject *parent)
    : QObject(parent), m_server(std::move(server))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    setReply(200, {});
}

void TCannedHttpServer::setRawReply(const QByteArray &response)
{
    m_reply = response;
    m_silent = false;
    m_streamChunk.clear();
}

QByteArray TCannedHttpServer::response(int status, const QByteArray &body, const QByteArray &contentType)
{
    return "HTTP/1.1 " + QByteArray::number(status) + " Canned\r\nContent-Type: " + contentType
         + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

void TCannedHttpServer::setReply(int status, const QByteArray &body, const QByteArray &contentType)
{
    setRawReply(response(status, body, contentType));
}

void TCannedHttpServer::queueRawReply(const QByteArray &response)
{
    m_queued.append(response);
}

void TCannedHttpServer::setSilent()
{
    m_silent = true;
}

void TCannedHttpServer::setTrickle(std::chrono::milliseconds interval)
{
    m_trickle = interval;
}

void TCannedHttpServer::setKeepOpen(bool keepOpen)
{
    m_keepOpen = keepOpen;
}

void TCannedHttpServer::setStreamedReply(const QByteArray &head, const QByteArray &chunk, qint64 bodySize)
{
    Q_ASSERT(!chunk.isEmpty());
    setRawReply(head);
    m_streamChunk = chunk;
    m_streamSize = bodySize;
}

QString TCannedHttpServer::serviceAddress() const
{
    const bool https = qobject_cast<QSslServer *>(m_server.get());
    return QStringLiteral("%1://127.0.0.1:%2/XfccBasic.asmx")
        .arg(https ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(m_server->serverPort());
}

void TCannedHttpServer::serve(QTcpSocket *socket)
{
    // Unread bytes stay in the socket until a whole request has arrived.
    const QByteArray pending = socket->peek(socket->bytesAvailable());
    const qsizetype headerEnd = pending.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    Request request;
    const QList<QByteArray> lines = pending.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    qsizetype contentLength = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        const QByteArray name = lines[i].left(colon).trimmed();
        const QByteArray value = lines[i].mid(colon + 1).trimmed();
        request.headers.append({name, value});
        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0)
            contentLength = value.toLongLong();
    }
    const qsizetype requestSize = headerEnd + 4 + contentLength;
    if (pending.size() < requestSize)
        return;
    request.body = socket->read(requestSize).mid(headerEnd + 4);
    m_requests.append(request);
    if (!m_queued.isEmpty()) {
        socket->write(m_queued.takeFirst());
        socket->disconnectFromHost();
        return;
    }
    if (m_silent)
        return;
    if (!m_streamChunk.isEmpty()) {
        stream(socket);
        return;
    }
    if (m_trickle.count() == 0) {
        socket->write(m_reply);
        finish(socket);
        return;
    }
    auto *timer = new QTimer(socket);
    connect(timer, &QTimer::timeout, socket, [this, socket, timer, sent = qsizetype(0)]() mutable {
        socket->write(m_reply.mid(sent++, 1));
        if (sent == m_reply.size()) {
            timer->stop();
            finish(socket);
        }
    });
    timer->start(m_trickle);
}

void TCannedHttpServer::stream(QTcpSocket *socket)
{
    socket->write(m_reply);
    // Refilled whenever the socket has passed on what it held, so that only a
    // few chunks are buffered at any time.
    const auto refill = [this, socket, sent = std::make_shared<qint64>(0)] {
        const qint64 size = m_streamChunk.size();
        while (socket->bytesToWrite() < 4 * size && (m_streamSize < 0 || *sent < m_streamSize)) {
            const qint64 part = m_streamSize < 0 ? size : std::min(size, m_streamSize - *sent);
            socket->write(m_streamChunk.constData(), part);
            *sent += part;
        }
        if (m_streamSize >= 0 && *sent >= m_streamSize && socket->state() == QAbstractSocket::ConnectedState)
            finish(socket);
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, refill);
    refill();
}

void TCannedHttpServer::finish(QTcpSocket *socket)
{
    if (!m_keepOpen)
        socket->disconnectFromHost();
}
