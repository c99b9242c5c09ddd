#include "app/program_context.h"
#include "tools/quorval-cli/cli_commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The names the window uses, so that both find the same program folder.
    QCoreApplication::setOrganizationName(QStringLiteral("Quorval"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorval"));
    QCoreApplication::setApplicationVersion(QLatin1String(VersionText));

    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunQuorvalCli(QCoreApplication::arguments().mid(1), out, err);
}
