// The engine link under a real analysis: stockfish analyses while the link
// reads its output. Reports how long a line waits between leaving the
// engine and showing in its label (the target: at most 100 ms), and the CPU
// time the link itself takes (the target: under 1 % of a core).

#include "engine/enginecontroller.h"
#include "engine/engineprocess.h"
#include "engine/enginepanel.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int AnalysisMilliseconds = 5000;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void AnalysisWithStockfish(benchmark::State &state)
{
    const QString stockfish = QStandardPaths::findExecutable(QStringLiteral("stockfish"), {QStringLiteral("/usr/games")});
    QTemporaryDir folder;
    const QString engine = folder.filePath(QStringLiteral("stockfish"));
    if (stockfish.isEmpty() || !QFile::link(stockfish, engine)) {
        state.SkipWithError("stockfish is not installed");
        return;
    }

    for (auto _ : state) {
        TEngineController controller;
        TEnginePanel panel;
        panel.Follow(&controller);
        controller.SetEngineFile(engine);
        controller.SetProtocol(TEngineController::Uci);
        controller.ToggleEngine();
        QProcess *process = controller.Process()->findChild<QProcess *>();
        if (!process) {
            state.SkipWithError("stockfish did not start");
            return;
        }

        // A line has left the engine when its bytes reach our side of the
        // pipe. A read whose lines change the labels owes an update; its wait
        // ends when the panel is told. Bytes the link takes as they come are
        // read at once.
        QElapsedTimer clock;
        clock.start();
        qint64 owedSince = -1;
        qint64 readAt = -1;
        TAnalysisLabels shown = controller.Labels();
        QList<qint64> waits;
        qint64 lastUpdate = -1;
        qint64 closest = std::numeric_limits<qint64>::max();
        QObject::connect(process, &QProcess::readyRead, [&] {
            if (readAt < 0 && process->bytesAvailable() > 0)
                readAt = clock.nsecsElapsed();
        });
        QObject::connect(&controller, &TEngineController::labelsChanged, [&](const TAnalysisLabels &labels) {
            shown = labels;
            const qint64 now = clock.nsecsElapsed();
            if (lastUpdate >= 0)
                closest = std::min(closest, now - lastUpdate);
            lastUpdate = now;
            const qint64 since = owedSince >= 0 ? owedSince : readAt;
            waits.append(since < 0 ? 0 : clock.nsecsElapsed() - since);
            owedSince = -1;
        });
        QObject::connect(controller.Process(), &TEngineProcess::linesReceived, [&] {
            const qint64 arrived = readAt < 0 ? clock.nsecsElapsed() : readAt;
            readAt = -1;
            if (owedSince < 0 && !(controller.Labels() == shown))
                owedSince = arrived;
        });

        const double cpuBefore = CpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(AnalysisMilliseconds, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpuPercent = 100.0 * (CpuSeconds() - cpuBefore) / (AnalysisMilliseconds / 1000.0);
        controller.ToggleEngine();

        qint64 total = 0;
        for (qint64 wait : waits)
            total += wait;
        const double meanWait = waits.isEmpty() ? 0.0 : double(total) / double(waits.size()) / 1e6;
        const double maxWait = waits.isEmpty() ? 0.0 : double(*std::max_element(waits.begin(), waits.end())) / 1e6;
        state.counters["wait_mean_ms"] = meanWait;
        state.counters["wait_max_ms"] = maxWait;
        state.counters["cpu_percent"] = cpuPercent;
        state.counters["updates"] = double(waits.size());
        const double closestMs = waits.size() < 2 ? 0.0 : double(closest) / 1e6;
        state.counters["closest_updates_ms"] = closestMs;
        std::printf("line to label: mean %.1f ms, at most %.1f ms over %lld updates; "
                    "closest two updates %.1f ms apart; own CPU while analysing: %.2f %% of one core\n",
                    meanWait, maxWait, static_cast<long long>(waits.size()), closestMs, cpuPercent);
    }
}

} // namespace

BENCHMARK(AnalysisWithStockfish)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
