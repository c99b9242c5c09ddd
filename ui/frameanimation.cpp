#include "ui/frameanimation.h"

#include <QPainter>
#include <QTimer>

TFrameAnimation::TFrameAnimation(int frameCount, int framesPerSecond, FramePainter painter,
                                 QWidget *parent)
    : QWidget(parent)
    , m_frameCount(qMax(1, frameCount))
    , m_painter(std::move(painter))
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(1000 / qMax(1, framesPerSecond));
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % m_frameCount;
        update();
    });
    start();
}

bool TFrameAnimation::isRunning() const
{
    return m_timer->isActive();
}

void TFrameAnimation::start()
{
    m_timer->start();
}

void TFrameAnimation::stop()
{
    m_timer->stop();
}

void TFrameAnimation::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_painter(painter, size(), m_frame);
}
