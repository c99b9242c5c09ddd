#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// Puts itself in front of a window's event handling: while Enabled, every
// event of the window passes OnWndProc first, which may keep the window from
// seeing it. When the hook is freed while enabled (its owner goes with the
// window), OnWndProc last sees an event of type WindowDestroy, sent while the
// window still has its placement.
class TWindowHook : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool WorkInDesign READ workInDesign WRITE setWorkInDesign)

public:
    // callDef comes in true; set it false to keep the event from the window.
    using WndProc = std::function<void(QEvent *event, bool &callDef)>;
    static const QEvent::Type WindowDestroy;

    explicit TWindowHook(QWidget *window);
    ~TWindowHook() override;

    QWidget *window() const { return m_window; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // Kept for the stored description; there is no designer to hook into.
    bool workInDesign() const { return m_workInDesign; }
    void setWorkInDesign(bool value) { m_workInDesign = value; }
    void setOnWndProc(WndProc handler) { m_onWndProc = std::move(handler); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    bool m_enabled = false;
    bool m_workInDesign = false;
    WndProc m_onWndProc;
};
