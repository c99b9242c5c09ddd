// Checking every server: ten loopback servers of 100 games each, asked all at
// once, then with one of them silent (a 2 s time-out), each beside the same
// check made one server after another.

#include "service/server_check.h"
#include "service/xfccbasic.h"
#include "tools/xfcc-test-server/server_soap.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <memory>

namespace {

using namespace std::chrono_literals;

constexpr int ServerCount = 10;
constexpr int GamesPerServer = 100;
constexpr auto SilentTimeout = 2s;

// An HTTP peer that answers every complete request with the same response, or
// never answers. It runs in a thread of its own, as a real server would.
class CannedPeer : public QTcpServer
{
public:
    CannedPeer(QByteArray response, bool silent) : m_response(std::move(response)), m_silent(silent) {}

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray &request = m_requests[socket];
            request += socket->readAll();
            const qsizetype headEnd = request.indexOf("\r\n\r\n");
            if (headEnd < 0 || m_silent)
                return;
            const qsizetype length = request.indexOf("Content-Length: ") >= 0
                ? request.mid(request.indexOf("Content-Length: ") + 16).split('\r').front().toLongLong()
                : 0;
            if (request.size() < headEnd + 4 + length)
                return;
            m_requests.remove(socket);
            socket->write(m_response);
            socket->disconnectFromHost();
        });
    }

private:
    QByteArray m_response;
    bool m_silent;
    QHash<QTcpSocket *, QByteArray> m_requests;
};

struct PeerThread {
    QThread thread;
    CannedPeer *peer = nullptr;
    QString address;

    PeerThread(const QByteArray &response, bool silent)
    {
        peer = new CannedPeer(response, silent);
        peer->listen(QHostAddress::LocalHost);
        address = QStringLiteral("http://127.0.0.1:%1/XfccBasic.asmx").arg(peer->serverPort());
        peer->moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, peer, &QObject::deleteLater);
        thread.start();
    }
    ~PeerThread()
    {
        thread.quit();
        thread.wait();
    }
};

QByteArray HttpResponse()
{
    ArrayOfXfccGame games;
    for (int i = 0; i < GamesPerServer; ++i) {
        XfccGame game;
        game.id = 1000 + i;
        game.white = QStringLiteral("White %1").arg(i);
        game.black = QStringLiteral("Black %1").arg(i);
        game.event = QStringLiteral("Loopback Championship");
        game.moves = QStringLiteral("1. e4 c5 2. Nf3 d6 3. d4 cxd4 4. Nxd4 Nf6 5. Nc3 a6");
        game.myTurn = i % 7 == 0;
        games << game;
    }
    const QByteArray body = WriteGetMyGamesResponse(games);
    return "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

std::vector<std::unique_ptr<PeerThread>> StartPeers(bool withSilent)
{
    static const QByteArray response = HttpResponse();
    std::vector<std::unique_ptr<PeerThread>> peers;
    for (int i = 0; i < ServerCount; ++i)
        peers.push_back(std::make_unique<PeerThread>(response, withSilent && i == ServerCount / 2));
    return peers;
}

QList<XfccAccount> Accounts(const std::vector<std::unique_ptr<PeerThread>> &peers)
{
    QList<XfccAccount> accounts;
    for (const auto &peer : peers)
        accounts << XfccAccount{QStringLiteral("Server"), peer->address, QStringLiteral("u"), QStringLiteral("p")};
    return accounts;
}

XfccTransport Transport()
{
    XfccTransport transport;
    transport.stallTimeout = SilentTimeout;
    return transport;
}

void BM_CheckAtOnce(benchmark::State &state)
{
    const auto peers = StartPeers(state.range(0) != 0);
    int answered = 0;
    for (auto _ : state) {
        TServerCheck check(Accounts(peers), Transport());
        check.wait();
        answered = 0;
        for (int i = 0; i < ServerCount; ++i)
            answered += check.outcome(i).answered;
    }
    state.counters["servers_answered"] = answered;
}

void BM_CheckOneAfterAnother(benchmark::State &state)
{
    const auto peers = StartPeers(state.range(0) != 0);
    int answered = 0;
    for (auto _ : state) {
        answered = 0;
        for (const XfccAccount &account : Accounts(peers)) {
            try {
                GetXfccBasicSoap(false, account.ServiceUrl, Transport())->GetMyGames(account.UserName, account.Password);
                ++answered;
            } catch (const EXfccError &) {
            }
        }
    }
    state.counters["servers_answered"] = answered;
}

} // namespace

// Argument: 0 all servers live, 1 one of them silent.
BENCHMARK(BM_CheckAtOnce)->ArgName("silent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CheckOneAfterAnother)->ArgName("silent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
