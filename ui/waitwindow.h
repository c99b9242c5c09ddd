#pragma once

#include <QColor>
#include <QDialog>

#include <functional>

class QLabel;
class QFrame;
class QPushButton;
class TFrameAnimation;
class TMultiLang;

// The borderless pop-up that tells which server the program is talking to
// while a request runs on the user-interface thread. Created hidden once and
// shown and hidden by the main window, best through TWaitScope:
//
//   TWaitScope wait(waitWindow, ml->Translate("@connectingtoserver") + name);
//   ... the request ...            // hidden and cursor restored on every exit
//
// A wait that can be cancelled shows a "Cancel" button (Escape does the
// same) and keeps the other windows from taking input while it lasts; the
// button asks for the cancel with cancelRequested().
class TWaitWindow : public QDialog
{
    Q_OBJECT

public:
    // `panelColor` gives the panel's colour, read each time the window is shown
    // or activated (the program passes its light-square colour).
    explicit TWaitWindow(std::function<QColor()> panelColor, QWidget *parent = nullptr);

    QString message() const;
    // Sets the message line and repaints it at once when the window is shown.
    void setMessage(const QString &text);
    // Shows the window and paints it at once, without waiting for the event
    // loop; with the Cancel button and application-modal when cancellable.
    void showNow(bool cancellable = false);
    // The language of the Cancel button, read each time the window is shown.
    void setLanguageSource(std::function<int()> activeLanguage);

    TFrameAnimation *animation() const { return m_animation; }

Q_SIGNALS:
    void cancelRequested();

public Q_SLOTS:
    // Escape: asks for the cancel when the wait can be cancelled; the window
    // stays until the waiting code hides it.
    void reject() override;

protected:
    bool event(QEvent *event) override;

private:
    void takePanelColor();

    std::function<QColor()> m_panelColor;
    std::function<int()> m_activeLanguage;
    QFrame *m_panel;
    QLabel *m_message;
    TFrameAnimation *m_animation;
    QPushButton *m_cancelButton;
    TMultiLang *m_translator;
};

// Shows the wait window with a message and the hourglass cursor for its
// lifetime; hides the window and restores the cursor however the scope ends.
class TWaitScope
{
public:
    enum class Cancel { NotOffered, Offered };

    TWaitScope(TWaitWindow *window, const QString &message, Cancel cancel = Cancel::NotOffered);
    ~TWaitScope();
    TWaitScope(const TWaitScope &) = delete;
    TWaitScope &operator=(const TWaitScope &) = delete;

    // A new message line, painted at once (one per server while checking all).
    void setMessage(const QString &message);

private:
    TWaitWindow *m_window;
};
