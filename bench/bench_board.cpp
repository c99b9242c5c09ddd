// One drag step on the board against a full repaint, on a board of 305 and
// of 800 pixels: the drag step moves the floating piece with a few
// one-square transfers from the back buffer and repaints only the rectangle
// covering its old and new places, so its cost grows with the square, not
// the board. The time includes the widget's repaint into its backing store.
#include "board/chess_diagram_2d.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>

#include <benchmark/benchmark.h>

namespace {

// Adds up the pixels the widget repaints.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    double pixels = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
                pixels += double(r.width()) * r.height();
        return false;
    }
};

void send(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

struct Board {
    TChessDiagram2D diagram;
    explicit Board(int side)
    {
        diagram.resize(side, side);
        diagram.setShowCoordinates(true);
        diagram.setShowLastMove(true);
        diagram.Position().SetStartPosition();
        diagram.Redraw();
        diagram.show();
        QCoreApplication::processEvents();
    }
};

void DragStep(benchmark::State &state)
{
    Board board(int(state.range(0)));
    PaintCounter counter(&board.diagram);
    const QPoint e2 = board.diagram.squareCentre(14);
    send(&board.diagram, QEvent::MouseButtonPress, e2, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const QPoint at = e2 + QPoint(step % 7, -(step % 90));
        send(&board.diagram, QEvent::MouseMove, at, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(&board.diagram, QEvent::UpdateRequest);
        ++step;
    }
    send(&board.diagram, QEvent::MouseButtonRelease, e2, Qt::NoButton);
    state.counters["repainted_px"] = benchmark::Counter(counter.pixels / double(step));
}

void FullRepaint(benchmark::State &state)
{
    Board board(int(state.range(0)));
    PaintCounter counter(&board.diagram);
    int rounds = 0;
    for (auto _ : state) {
        board.diagram.Redraw();
        QCoreApplication::sendPostedEvents(&board.diagram, QEvent::UpdateRequest);
        ++rounds;
    }
    state.counters["repainted_px"] = benchmark::Counter(counter.pixels / double(rounds));
}

BENCHMARK(DragStep)->Arg(305)->Arg(800);
BENCHMARK(FullRepaint)->Arg(305)->Arg(800);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
