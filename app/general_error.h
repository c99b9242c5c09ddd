#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// The program's general error box: the failure's text, followed by "." when
// its last character sorts after ".", captioned with the application title.
QString GeneralErrorText(const QString &failure);
void ShowGeneralError(const QString &failure);

// Runs a command; a failure it throws is shown in the general error box, but
// for a server request the player cancelled, which ends the command quietly.
// Commands are run through this where a signal reaches them, so that no
// exception unwinds through Qt's own frames.
void RunGuarded(const std::function<void()> &command);

// A slot for connect() that runs object->method() guarded.
template <typename Object, typename Method>
auto Guarded(Object *object, Method method)
{
    return [object, method] { RunGuarded([object, method] { (object->*method)(); }); };
}

// The last resort: catches every exception that escapes an event handler and
// shows it in the general error box; the program goes on.
class TQuorvalApplication : public QApplication
{
    Q_OBJECT
public:
    TQuorvalApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
