#include "engine/gearanimation.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int FrameSize = 24;
constexpr int FramesPerTurn = 8;   // the gear has 8 teeth: 8 frames make a tooth step
constexpr int Teeth = 8;
constexpr int FrameInterval = 100; // ms

} // namespace

TGearAnimation::TGearAnimation(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(FrameSize, FrameSize);
    for (int i = 0; i < FramesPerTurn; ++i)
        m_frames.append(DrawFrame(FrameSize, 360.0 / Teeth * i / FramesPerTurn));
    m_timer.setInterval(FrameInterval);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % FrameCount();
        update();
    });
}

QSize TGearAnimation::sizeHint() const
{
    return {FrameSize, FrameSize};
}

QPixmap TGearAnimation::DrawFrame(int size, qreal angle)
{
    QPixmap frame(size, size);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(size / 2.0, size / 2.0);
    painter.rotate(angle);

    const qreal outer = size * 0.48;
    const qreal inner = size * 0.36;
    QPainterPath gear;
    for (int tooth = 0; tooth < Teeth; ++tooth) {
        const qreal start = 2 * M_PI * tooth / Teeth;
        const qreal step = 2 * M_PI / Teeth / 4;
        const qreal corners[][2] = {{inner, start}, {outer, start + step},
                                    {outer, start + 2 * step}, {inner, start + 3 * step}};
        for (const auto &corner : corners) {
            const QPointF point(corner[0] * qCos(corner[1]), corner[0] * qSin(corner[1]));
            if (gear.elementCount() == 0)
                gear.moveTo(point);
            else
                gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(), size * 0.12, size * 0.12);
    gear.setFillRule(Qt::OddEvenFill);

    painter.setPen(QPen(QColor(40, 40, 90), 1));
    painter.setBrush(QColor(120, 130, 170));
    painter.drawPath(gear);
    return frame;
}

void TGearAnimation::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_frames.at(m_frame));
}

void TGearAnimation::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_timer.start();
}

void TGearAnimation::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}
