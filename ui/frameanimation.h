#pragma once

#include <QWidget>

#include <functional>

class QTimer;

// A small looping animation of frames that a function paints: the program's
// own clips (the wait window's server clip, the engine panel's gear) are drawn
// rather than loaded. It starts running when created.
class TFrameAnimation : public QWidget
{
    Q_OBJECT

public:
    using FramePainter = std::function<void(QPainter &painter, const QSize &size, int frame)>;

    TFrameAnimation(int frameCount, int framesPerSecond, FramePainter painter, QWidget *parent = nullptr);

    int frameCount() const { return m_frameCount; }
    int currentFrame() const { return m_frame; }
    bool isRunning() const;
    void start();
    void stop();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_frameCount;
    int m_frame = 0;
    FramePainter m_painter;
    QTimer *m_timer;
};
