#pragma once

#include <QColor>
#include <QFlags>
#include <QString>
#include <QUrl>

class QWidget;

// Every question the program asks a person: message boxes, file dialogs and
// the shell's "open". Windows call the installed instance; the program
// installs one backed by Qt's dialogs, tests install a recorder.
class TPrompts
{
public:
    // None: a plain box without an icon.
    enum class Icon { Warning, Error, Information, Confirmation, None };
    enum class Button { None = 0x0, Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
    Q_DECLARE_FLAGS(Buttons, Button)

    virtual ~TPrompts() = default;

    // Shows a message box; returns the button that closed it.
    virtual Button message(Icon icon, const QString &caption, const QString &text,
                           Buttons buttons = Button::Ok, QWidget *parent = nullptr) = 0;
    // Each returns the chosen file name, or an empty text when cancelled.
    virtual QString openFileName(const QString &caption, const QString &folder,
                                 const QString &filter, QWidget *parent = nullptr) = 0;
    virtual QString saveFileName(const QString &caption, const QString &folder,
                                 const QString &filter, QWidget *parent = nullptr) = 0;
    // The colour chooser; returns an invalid colour when cancelled.
    virtual QColor chooseColor(const QColor &initial, QWidget *parent = nullptr) = 0;
    // The shell's "open": a web address in the browser, a file in its program.
    virtual bool openUrl(const QUrl &url) = 0;

    // The installed instance; Qt's dialogs unless another was installed.
    static TPrompts &instance();
    // Installs prompts (not owned); nullptr restores Qt's dialogs.
    static void install(TPrompts *prompts);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TPrompts::Buttons)

// Shorthand for the common case of one box with an icon and an OK button.
inline TPrompts::Button ShowMessage(TPrompts::Icon icon, const QString &caption, const QString &text,
                                    TPrompts::Buttons buttons = TPrompts::Button::Ok,
                                    QWidget *parent = nullptr)
{
    return TPrompts::instance().message(icon, caption, text, buttons, parent);
}

// The caption a message box carries for its icon: "Error", "Warning",
// "Information" or "Confirm".
QString IconCaption(TPrompts::Icon icon);

// A message box captioned after its icon.
inline TPrompts::Button MessageDlg(const QString &text, TPrompts::Icon icon,
                                   TPrompts::Buttons buttons = TPrompts::Button::Ok,
                                   QWidget *parent = nullptr)
{
    return ShowMessage(icon, IconCaption(icon), text, buttons, parent);
}
