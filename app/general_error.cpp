#include "app/general_error.h"

#include "app/program_context.h"
#include "service/xfcc_error.h"
#include "ui/prompts.h"

#include <exception>

QString GeneralErrorText(const QString &failure)
{
    if (!failure.isEmpty() && failure.back() > QLatin1Char('.'))
        return failure + QLatin1Char('.');
    return failure;
}

void ShowGeneralError(const QString &failure)
{
    ShowMessage(TPrompts::Icon::Error, ApplicationTitle(), GeneralErrorText(failure));
}

void RunGuarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const EXfccError &e) {
        // The player cancelled the request: the command just ends.
        if (e.kind() != EXfccError::Kind::Cancelled)
            ShowGeneralError(e.message());
    } catch (const std::exception &e) {
        ShowGeneralError(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowGeneralError(QStringLiteral("Unknown error"));
    }
}

TQuorvalApplication::TQuorvalApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TQuorvalApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
