#include "service/xfcc_wire.h"
#include "tools/xfcc-test-server/test_server_data_file.h"
#include "tools/xfcc-test-server/xfcc_test_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QUrl>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("xfcc-test-server"));

    const quint16 defaultPort = quint16(QUrl(XfccDefaultServiceAddress).port());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves the XfccBasic operations on 127.0.0.1 with the users and games of a data file."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("data-file"), QStringLiteral("The JSON file with users and games."));
    const QCommandLineOption portOption({QStringLiteral("p"), QStringLiteral("port")},
                                        QStringLiteral("The port to listen on; 0 picks a free one."),
                                        QStringLiteral("port"), QString::number(defaultPort));
    const QCommandLineOption saveOption({QStringLiteral("s"), QStringLiteral("save")},
                                        QStringLiteral("Write every change back to the data file."));
    parser.addOption(portOption);
    parser.addOption(saveOption);
    parser.process(app);

    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    bool portValid = false;
    const uint port = parser.value(portOption).toUInt(&portValid);
    if (!portValid || port > 65535) {
        std::fprintf(stderr, "xfcc-test-server: invalid port \"%s\"\n", qPrintable(parser.value(portOption)));
        return 2;
    }

    const QString dataFile = parser.positionalArguments().first();
    try {
        TXfccTestServer server(LoadTestServerData(dataFile));
        const quint16 listening = server.listen(quint16(port));
        if (listening == 0) {
            std::fprintf(stderr, "xfcc-test-server: cannot listen on port %u\n", port);
            return 1;
        }
        if (parser.isSet(saveOption)) {
            QObject::connect(&server, &TXfccTestServer::stateChanged, &server, [&] {
                try {
                    SaveTestServerData(dataFile, server.state());
                } catch (const EDataFileError &error) {
                    std::fprintf(stderr, "xfcc-test-server: %s\n", error.what());
                }
            });
        }
        std::printf("Listening on http://127.0.0.1:%u%s\n", listening, TXfccTestServer::ServicePath.data());
        std::fflush(stdout);
        return app.exec();
    } catch (const EDataFileError &error) {
        std::fprintf(stderr, "xfcc-test-server: %s\n", error.what());
        return 1;
    }
}
