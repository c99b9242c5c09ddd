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
    // For the start-up benchmark and the screenshots: once the first
    // activation's work is done and the window painted with it, say so on the
    // standard output (and save the window's picture, when a file is named)
    // and end.
    if (qEnvironmentVariableIsSet("QUORVAL_STARTUP_PROBE")) {
        QObject::connect(&mainWindow, &TQuorvalMain::startupWorkDone, &mainWindow, [&mainWindow] {
            mainWindow.repaint();
            const QString picture = qEnvironmentVariable("QUORVAL_STARTUP_PICTURE");
            if (!picture.isEmpty() && !mainWindow.grab().save(picture))
                std::fprintf(stderr, "cannot save %s\n", qPrintable(picture));
            std::printf("started\n");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }, Qt::QueuedConnection);
    }
    mainWindow.show();
    mainWindow.activateWindow();
    return app.exec();
}
