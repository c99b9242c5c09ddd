#pragma once

#include <QColor>
#include <QDialog>

#include <functional>

class QLabel;
class QFrame;
class TFrameAnimation;

// The borderless pop-up that tells which server the program is talking to
// while a request runs on the user-interface thread. Modeless; created hidden
// once and shown and hidden by the main window, best through TWaitScope:
//
//   TWaitScope wait(waitWindow, ml->Translate("@connectingtoserver") + name);
//   ... the request ...            // hidden and cursor restored on every exit
class TWaitWindow : public QDialog
{
    Q_OBJECT

public:
    // `panelColor` gives Panel1's colour, read each time the window is shown
    // or activated (the program passes its light-square colour).
    explicit TWaitWindow(std::function<QColor()> panelColor, QWidget *parent = nullptr);

    QString message() const;
    // Sets the message line and repaints it at once when the window is shown.
    void setMessage(const QString &text);
    // Shows the window and paints it at once, without waiting for the event loop.
    void showNow();

    TFrameAnimation *animation() const { return m_animation; }

protected:
    bool event(QEvent *event) override;

private:
    void takePanelColor();

    std::function<QColor()> m_panelColor;
    QFrame *m_panel;
    QLabel *m_message;
    TFrameAnimation *m_animation;
};

// Shows the wait window with a message and the hourglass cursor for its
// lifetime; hides the window and restores the cursor however the scope ends.
class TWaitScope
{
public:
    TWaitScope(TWaitWindow *window, const QString &message);
    ~TWaitScope();
    TWaitScope(const TWaitScope &) = delete;
    TWaitScope &operator=(const TWaitScope &) = delete;

    // A new message line, painted at once (one per server while checking all).
    void setMessage(const QString &message);

private:
    TWaitWindow *m_window;
};
