#include "app/general_error.h"
#include "app/program_context.h"
#include "app/quorval_main.h"
#include "app/single_instance.h"
#include "ui/prompts.h"

#include <cstdio>

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quorval"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorval"));
    QCoreApplication::setApplicationVersion(QLatin1String(VersionText));

    const bool debugMode = IsDebugModeRequested(QCoreApplication::arguments());

    TSingleInstance instance;
    if (!instance.acquire()) {
        const QString text = QStringLiteral("Instance of Quorval is already running.");
        std::fprintf(stderr, "%s\n", qPrintable(text));
        ShowMessage(TPrompts::Icon::Error, QStringLiteral("Quorval already running"), text);
        return 1;
    }

    const TProgramContext context =
        TProgramContext::forFolder(TProgramContext::defaultProgramFolder(), debugMode);

    TQuorvalMain mainWindow(context);
    mainWindow.createDialogs();
    mainWindow.show();
    mainWindow.activateWindow();
    return app.exec();
}
