#include "app/color_ref.h"
#include "app/ini_file.h"
#include "app/program_context.h"
#include "app/quorval_main.h"
#include "app/settings.h"
#include "recording_prompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT

    static QByteArray readAll(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    template <std::size_t N>
    static QByteArray bytes(const char (&text)[N])
    {
        return QByteArray(text, N - 1);
    }
    static void writeAll(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private Q_SLOTS:
    void defaultsWithoutAFile()
    {
        QTemporaryDir dir;
        const TProgramContext context = TProgramContext::forFolder(dir.path());
        TIniFile ini(context.settingsFileName());
        QVERIFY(!ini.load());
        const TSettings s = TSettings::read(ini, context.ProgramFolder);
        QVERIFY(s.UseFigurineNotation && s.ShowComments && s.ShowOnlyOngoingGames && s.CheckServersPeriodically);
        QCOMPARE(s.LightSquaresColor, 0xF0CAA6);
        QCOMPARE(s.DarkSquaresColor, 0x808080);
        QCOMPARE(s.EngineFileName, context.ProgramFolder + QDir::toNativeSeparators("engines/crafty/wcrafty.exe"));
        QCOMPARE(s.EngineProtocol, 0);
        QCOMPARE(s.ActiveLanguage, 0);
        QVERIFY(s.ShowCoordinates && s.ShowLastMove && s.ShowCheck);
        QCOMPARE(ColorFromColorRef(s.LightSquaresColor), QColor(166, 202, 240));
        QCOMPARE(ColorRefFromColor(QColor(166, 202, 240)), 0xF0CAA6);
    }

    void aRunWithNothingChangedWritesAllElevenKeys()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        const TProgramContext context = TProgramContext::forFolder(dir.path());
        {
            TQuorvalMain window(context);
            window.show();
            window.close();
        }
        QVERIFY(QFileInfo(context.ServersFolder).isDir());
        QVERIFY(QFileInfo(context.TempFolder).isDir());
        const QByteArray expected =
            "[SETUP]\r\n"
            "USE_FIGURINE_NOTATION=1\r\n"
            "SHOW_COMMENTS=1\r\n"
            "SHOW_ONLY_ONGOING_GAMES=1\r\n"
            "CHECK_SERVERS_PERIODICALLY=1\r\n"
            "MINUTES_TO_CHECK=5\r\n"
            "LIGHT_SQUARES_COLOR=15780518\r\n"
            "DARK_SQUARES_COLOR=8421504\r\n"
            "ACTIVE_LANGUAGE=0\r\n"
            "SERVER_TIMEOUT_SECONDS=30\r\n"
            "POLL_SERVERS=0\r\n"
            "ALERT_DAYS_LEFT=3\r\n"
            "GAME_LIST_SORT=0\r\n"
            "SHOW_COORDINATES=1\r\n"
            "SHOW_LAST_MOVE=1\r\n"
            "SHOW_CHECK=1\r\n"
            "[ANALYSIS_ENGINE]\r\n"
            "ENGINE_FILE_NAME=" + context.ProgramFolder.toLocal8Bit() + "engines/crafty/wcrafty.exe\r\n"
            "ENGINE_PROTOCOL=0\r\n"
            "ENGINE_ARGUMENTS=\r\n";
        QCOMPARE(readAll(context.settingsFileName()), expected);
        QVERIFY(prompts.messages.isEmpty());
        // Like the server files, the settings file is its owner's alone.
        QCOMPARE(QFile::permissions(context.settingsFileName())
                     & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFileDevice::Permissions());
    }

    void storedValuesSurviveARunAndOtherLinesStayAsTheyWere()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        const TProgramContext context = TProgramContext::forFolder(dir.path());
        const QByteArray original =
            "; my settings\n"
            "[setup]\n"
            "SHOW_COMMENTS = 0\n"
            "garbage line without equals\n"
            "DARK_SQUARES_COLOR=$00FF00\n"
            "LIGHT_SQUARES_COLOR=pink\n"
            "ACTIVE_LANGUAGE=257\n"
            "SERVER_TIMEOUT_SECONDS=2\n"
            "MINUTES_TO_CHECK=1\n"
            "OTHER_KEY=  kept  as is\n"
            "\n"
            "[ANALYSIS_ENGINE]\n"
            "ENGINE_FILE_NAME=/usr/games/gnuchess\n"
            "ENGINE_PROTOCOL=1\n";
        writeAll(context.settingsFileName(), original);
        {
            TQuorvalMain window(context);
            const TSettings &s = window.settings();
            QVERIFY(!s.ShowComments);
            QVERIFY(s.UseFigurineNotation);
            QCOMPARE(s.DarkSquaresColor, 0x00FF00);
            QCOMPARE(s.LightSquaresColor, 0xF0CAA6);  // not a number: the default
            QCOMPARE(s.ActiveLanguage, 1);            // held as one byte
            QCOMPARE(s.ServerTimeoutSeconds, 5);      // brought into its range
            QCOMPARE(s.MinutesToCheck, 5);            // no server is asked more often
            QCOMPARE(s.EngineFileName, QStringLiteral("/usr/games/gnuchess"));
            QCOMPARE(s.EngineProtocol, 1);
            QCOMPARE(s.EngineArguments, QString());  // a file written before the key was
            window.settings().EngineArguments = QStringLiteral("-x");
            window.close();
        }
        const QByteArray written = readAll(context.settingsFileName());
        QVERIFY(written.startsWith("; my settings\n[setup]\nSHOW_COMMENTS=0\ngarbage line without equals\n"
                                   "DARK_SQUARES_COLOR=65280\nLIGHT_SQUARES_COLOR=15780518\n"
                                   "ACTIVE_LANGUAGE=1\nSERVER_TIMEOUT_SECONDS=5\nMINUTES_TO_CHECK=5\nOTHER_KEY=  kept  as is\n"));
        QVERIFY(written.contains("MINUTES_TO_CHECK=5\n"));
        QVERIFY(written.contains("[ANALYSIS_ENGINE]\nENGINE_FILE_NAME=/usr/games/gnuchess\nENGINE_PROTOCOL=1\n"
                                 "ENGINE_ARGUMENTS=-x\n"));
        QCOMPARE(written.count("SHOW_COMMENTS"), 1);
    }

    void theBoardAidsAreReadAndWritten_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<bool>("coordinates");
        QTest::addColumn<bool>("lastMove");
        QTest::addColumn<bool>("check");
        QTest::newRow("all off") << QByteArray("SHOW_COORDINATES=0\nSHOW_LAST_MOVE=0\nSHOW_CHECK=0\n")
                                 << false << false << false;
        QTest::newRow("one off") << QByteArray("SHOW_LAST_MOVE=0\n") << true << false << true;
        QTest::newRow("unreadable keeps on") << QByteArray("SHOW_CHECK=maybe\nSHOW_COORDINATES=\n")
                                             << true << true << true;
    }
    void theBoardAidsAreReadAndWritten()
    {
        QFETCH(QByteArray, lines);
        QFETCH(bool, coordinates);
        QFETCH(bool, lastMove);
        QFETCH(bool, check);
        QTemporaryDir dir;
        const QString fileName = dir.filePath("quorval.ini");
        writeAll(fileName, "[SETUP]\n" + lines);
        TIniFile ini(fileName);
        QVERIFY(ini.load());
        TSettings s = TSettings::read(ini, dir.path() + "/");
        QCOMPARE(s.ShowCoordinates, coordinates);
        QCOMPARE(s.ShowLastMove, lastMove);
        QCOMPARE(s.ShowCheck, check);
        s.write(ini);
        ini.save();
        TIniFile again(fileName);
        QVERIFY(again.load());
        const TSettings back = TSettings::read(again, dir.path() + "/");
        QCOMPARE(back.ShowCoordinates, coordinates);
        QCOMPARE(back.ShowLastMove, lastMove);
        QCOMPARE(back.ShowCheck, check);
    }

    void unreadableEncodingsGiveDefaults()
    {
        TIniFile ini;
        // UTF-16 with a byte-order mark: no key can be read.
        ini.parse(bytes("\xFF\xFE[\0S\0E\0T\0U\0P\0]\0\r\0\n\0S\0H\0O\0W\0_\0C\0O\0M\0M\0E\0N\0T\0S\0=\0000\0"));
        QVERIFY(TSettings::read(ini, "/p/").ShowComments);
        // A UTF-8 byte-order mark is passed over and kept.
        ini.parse("\xEF\xBB\xBF[SETUP]\r\nSHOW_COMMENTS=0\r\n");
        QVERIFY(!TSettings::read(ini, "/p/").ShowComments);
        QVERIFY(ini.contents().startsWith("\xEF\xBB\xBF[SETUP]\r\n"));
        ini.parse(bytes("\0\0=\n[SETUP\nSHOW_COMMENTS=\nUSE_FIGURINE_NOTATION=99999999999\n"));
        const TSettings s = TSettings::read(ini, "/p/");
        QVERIFY(s.ShowComments && s.UseFigurineNotation);
    }

    void aValueReadIsWrittenBackAsItWas()
    {
        // A byte-order mark at a value's start is a character of the value.
        TIniFile ini;
        ini.parse("[ANALYSIS_ENGINE]\nENGINE_FILE_NAME=\xEF\xBB\xBF  C:\\engine.exe \n");
        const TSettings s = TSettings::read(ini, "/p/");
        QCOMPARE(s.EngineFileName, QChar(0xFEFF) + QStringLiteral("  C:\\engine.exe"));
        s.write(ini);
        TIniFile written;
        written.parse(ini.contents());
        QCOMPARE(TSettings::read(written, "/p/").EngineFileName, s.EngineFileName);

        // A sequence cut at the value's end is a replacement character.
        ini.parse("[ANALYSIS_ENGINE]\r\nENGINE_FILE_NAME=/usr/games/stockfish\r\xCA\r\n");
        const TSettings cut = TSettings::read(ini, "/p/");
        QCOMPARE(cut.EngineFileName, QStringLiteral("/usr/games/stockfish\r") + QChar(0xFFFD));
        cut.write(ini);
        written.parse(ini.contents());
        QCOMPARE(TSettings::read(written, "/p/").EngineFileName, cut.EngineFileName);

        // One pair of double quotes around a value is not part of it, and the
        // file keeps its bytes; a value in quotes of its own keeps them.
        ini.parse("[ANALYSIS_ENGINE]\r\nENGINE_FILE_NAME= \"C:\\Program Files\\e.exe\" \r\nENGINE_PROTOCOL=\"1\"\r\n");
        const TSettings quoted = TSettings::read(ini, "/p/");
        QCOMPARE(quoted.EngineFileName, QStringLiteral("C:\\Program Files\\e.exe"));
        QCOMPARE(quoted.EngineProtocol, 1);
        QVERIFY(ini.contents().contains("ENGINE_FILE_NAME= \"C:\\Program Files\\e.exe\" \r\n"));
        TSettings ownQuotes = quoted;
        ownQuotes.EngineFileName = QStringLiteral("\"/opt/e\"");
        ownQuotes.write(ini);
        written.parse(ini.contents());
        QCOMPARE(TSettings::read(written, "/p/").EngineFileName, ownQuotes.EngineFileName);

        // A file of line feeds whose unended last line ends in a carriage
        // return reads back as it is written.
        ini.parse("[\nS\r\r");
        QCOMPARE(ini.contents(), QByteArray("[\r\nS\r\r\n"));
        written.parse(ini.contents());
        QCOMPARE(written.contents(), ini.contents());
    }

    void aFailedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        // A rename onto a folder fails whoever runs the test.
        QVERIFY(QDir(dir.path()).mkpath("a folder/kept"));
        TIniFile blocked(dir.filePath("a folder"));
        blocked.writeInteger("SETUP", "SHOW_COMMENTS", 1);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, blocked.save());
        QVERIFY(QFileInfo(dir.filePath("a folder/kept")).isDir());

        const QString name = dir.filePath("quorval.ini");
        writeAll(name, "[SETUP]\r\nSHOW_COMMENTS=0\r\n");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        TIniFile ini(name);
        QVERIFY(ini.load());
        ini.writeInteger("SETUP", "SHOW_COMMENTS", 1);
        // Where folder permissions bind (not for root), a read-only folder fails the save too.
        if (!QFileInfo(dir.path()).isWritable())
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, ini.save());
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readAll(name), QByteArray("[SETUP]\r\nSHOW_COMMENTS=0\r\n"));
    }

    void theProgramFolderOfAnExecutable_data()
    {
        QTest::addColumn<QString>("layout");  // the executable's folder in the scratch folder
        QTest::addColumn<QString>("alsoMade");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("ownFolder");
        QTest::newRow("a build folder") << "build/app" << "" << true << true;
        QTest::newRow("a bin folder of its own") << "tools/bin" << "" << true << true;
        QTest::newRow("installed, writable") << "usr/bin" << "usr/share/quorval" << true << false;
        QTest::newRow("a folder it cannot write") << "readonly" << "" << false << false;
    }
    void theProgramFolderOfAnExecutable()
    {
        QFETCH(QString, layout);
        QFETCH(QString, alsoMade);
        QFETCH(bool, writable);
        QFETCH(bool, ownFolder);
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir dir;
        const QString folder = dir.filePath(layout);
        QVERIFY(QDir().mkpath(folder));
        if (!alsoMade.isEmpty())
            QVERIFY(QDir().mkpath(dir.filePath(alsoMade)));
        if (!writable)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const bool rootWrites = !writable && QFileInfo(folder).isWritable();
        const QString chosen = TProgramContext::programFolderFor(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (rootWrites)
            QSKIP("running as root: every folder is writable");
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(chosen, ownFolder ? folder : data);
        QVERIFY(QFileInfo(chosen).isDir());
    }

    void debugModeArgument()
    {
        QVERIFY(IsDebugModeRequested({"quorval", "-DebugMode"}));
        QVERIFY(IsDebugModeRequested({"quorval", "x", "-debugmode"}));
        QVERIFY(!IsDebugModeRequested({"quorval", "-DEBUGMODEX"}));
        QVERIFY(!IsDebugModeRequested({"quorval", "DEBUGMODE"}));
        QVERIFY(!IsDebugModeRequested({"quorval"}));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
