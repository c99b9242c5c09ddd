#include "app/general_error.h"

#include "app/program_context.h"
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

TQuorvalApplication::TQuorvalApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TQuorvalApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowGeneralError(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowGeneralError(QStringLiteral("Unknown error"));
    }
    return false;
}
