#pragma once

#include <QList>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

// A turning gear, the engine panel's sign of activity. The frames are drawn
// once; they play while the widget is shown.
class TGearAnimation : public QWidget
{
    Q_OBJECT

public:
    explicit TGearAnimation(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    int FrameCount() const { return int(m_frames.size()); }
    int CurrentFrame() const { return m_frame; }
    bool Playing() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    static QPixmap DrawFrame(int size, qreal angle);

    QList<QPixmap> m_frames;
    QTimer m_timer;
    int m_frame = 0;
};
