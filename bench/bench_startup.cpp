// Quorval's start-up: the time from starting the process to the painted main
// window once the first activation's work is done, with three servers
// configured (three XFCC test servers on loopback with the demo games). With
// the start-up check off, the window shows the first server's games; with it
// on, also every server's icon. Each run is a fresh process with its own
// program folder, started offscreen.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct TestServers {
    std::vector<std::unique_ptr<QProcess>> processes;
    QStringList addresses;

    explicit TestServers(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto process = std::make_unique<QProcess>();
            process->start(QStringLiteral(XFCC_TEST_SERVER),
                           {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral(DEMO_GAMES)});
            QString line;
            while (line.isEmpty() && process->waitForReadyRead(10000))
                line = QString::fromLocal8Bit(process->readLine()).trimmed();
            const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("^Listening on (\\S+)$")).match(line);
            if (!match.hasMatch())
                throw std::runtime_error("the test server did not start");
            addresses.append(match.captured(1));
            processes.push_back(std::move(process));
        }
    }
    ~TestServers()
    {
        for (auto &process : processes) {
            process->kill();
            process->waitForFinished();
        }
    }
};

void write(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the program folder");
}

// A program folder with its own copy of quorval and one server file for
// each test server.
void prepareFolder(const QString &folder, const QStringList &addresses, bool checkAtStart)
{
    QDir().mkpath(folder + QStringLiteral("/servers"));
    for (int i = 0; i < addresses.size(); ++i)
        write(folder + QStringLiteral("/servers/Server %1").arg(i + 1),
              addresses[i].toUtf8() + "\r\ndemo\r\ndemo\r\n\r\n");
    write(folder + QStringLiteral("/quorval.ini"),
          QByteArray("[SETUP]\r\nCHECK_SERVERS_PERIODICALLY=") + (checkAtStart ? "1" : "0") + "\r\n");
    QFile::remove(folder + QStringLiteral("/quorval"));
    if (!QFile::copy(QStringLiteral(QUORVAL_EXECUTABLE), folder + QStringLiteral("/quorval")))
        throw std::runtime_error("cannot copy quorval");
}

void StartUp(benchmark::State &state)
{
    const bool checkAtStart = state.range(0) != 0;
    TestServers servers(3);
    QTemporaryDir dir;
    prepareFolder(dir.path(), servers.addresses, checkAtStart);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QUORVAL_STARTUP_PROBE"), QStringLiteral("1"));
    for (auto _ : state) {
        QProcess quorval;
        quorval.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        quorval.start(dir.path() + QStringLiteral("/quorval"), {});
        bool started = false;
        while (!started && quorval.waitForReadyRead(10000))
            started = quorval.readAll().contains("started");
        const double seconds = clock.nsecsElapsed() / 1e9;
        quorval.waitForFinished(10000);
        if (!started) {
            state.SkipWithError("quorval did not report its start");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

BENCHMARK(StartUp)->ArgName("check")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
