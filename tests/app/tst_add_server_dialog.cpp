#include "app/add_server_dialog.h"
#include "app/atomic_file.h"
#include "app/general_error.h"
#include "app/server_entry.h"
#include "app/server_name.h"
#include "recording_prompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestAddServerDialog : public QObject
{
    Q_OBJECT

    // The fields in the order of the dialog, from 1: name, service address,
    // user name, password, web site.
    static QLineEdit *edit(TAddServerDialog &dialog, int n)
    {
        static const char *const names[] = {"nameEdit", "serviceUrlEdit", "userNameEdit", "passwordEdit", "webSiteEdit"};
        return dialog.findChild<QLineEdit *>(QLatin1String(names[n - 1]));
    }
    static void clickOk(TAddServerDialog &dialog)
    {
        QTest::mouseClick(dialog.findChild<QPushButton *>("okButton"), Qt::LeftButton);
    }

private Q_SLOTS:
    void checksTheRequiredFieldsInOrder()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        TAddServerDialog dialog(dir.path(), [] { return 0; });
        QSignalSpy saved(&dialog, &TAddServerDialog::serverSaved);
        dialog.show();
        const char *messages[] = {"You have to enter a server name", "You have to enter a server address",
                                  "You have to enter a user name", "You have to enter a user password"};
        const char *inputs[] = {"Local", "http://127.0.0.1:8080/XfccBasic.asmx", "alice", "secret"};
        for (int field = 1; field <= 4; ++field) {
            clickOk(dialog);
            QCOMPARE(prompts.messages.size(), field);
            QCOMPARE(prompts.messages.last().text, QLatin1String(messages[field - 1]));
            QCOMPARE(prompts.messages.last().icon, TPrompts::Icon::Error);
            QVERIFY(dialog.isVisible());
            QVERIFY(ListServerFiles(dir.path()).isEmpty());
            QTest::keyClicks(edit(dialog, field), QLatin1String(inputs[field - 1]));
        }
        QCOMPARE(edit(dialog, 4)->echoMode(), QLineEdit::Password);
        clickOk(dialog);  // the web site may stay empty
        QCOMPARE(prompts.messages.size(), 4);
        QCOMPARE(saved.count(), 1);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(ReadServerFile(dir.path(), "Local"),
                 (ServerEntry{"Local", "http://127.0.0.1:8080/XfccBasic.asmx", "alice", "secret", ""}));
        // The fields keep their texts for the next use.
        QCOMPARE(edit(dialog, 1)->text(), QStringLiteral("Local"));
    }

    // A name is a file name inside the servers folder and nothing else; the
    // password only goes to a web address. Nothing is written for a refusal.
    void refusesUnsafeNamesAndAddresses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("message");
        const QString web = QStringLiteral("http://127.0.0.1:1/XfccBasic.asmx");
        QTest::newRow("parent folder") << "../evil" << web << 0
                                       << R"(A server name may not contain "/", "\" or "..": "../evil")";
        QTest::newRow("settings file") << "../quorval.ini" << web << 1
                                       << R"(Un nombre de servidor no puede contener "/", "\" ni "..": "../quorval.ini")";
        QTest::newRow("backslash") << "a\\b" << web << 0 << R"(A server name may not contain "/", "\" or "..": "a\b")";
        QTest::newRow("hidden") << ".hidden" << web << 0 << R"(A server name may not begin with a dot: ".hidden")";
        QTest::newRow("control") << "a\tb" << web << 0 << "A server name may not contain control characters";
        QTest::newRow("device") << "nul.txt" << web << 0
                                << R"("nul.txt" is a name the system keeps for a device; choose another server name)";
        QTest::newRow("port") << "COM3" << web << 1
                              << R"("COM3" es un nombre que el sistema reserva para un dispositivo; elija otro nombre de servidor)";
        QTest::newRow("long") << QString(101, 'x') << web << 0
                              << QStringLiteral("A server name may have at most 100 characters: \"%1\"").arg(QString(100, 'x'));
        QTest::newRow("blank address") << "S" << " " << 0
                                       << R"(The server address must be a web address that begins with http:// or https://: " ")";
        QTest::newRow("file address") << "S" << "file:///etc/passwd" << 1
                                      << R"(La dirección del servidor debe ser una dirección web que empiece por http:// o https://: "file:///etc/passwd")";
        QTest::newRow("no host") << "S" << "http:///XfccBasic.asmx" << 0
                                 << R"(The server address must be a web address that begins with http:// or https://: "http:///XfccBasic.asmx")";
    }
    void refusesUnsafeNamesAndAddresses()
    {
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(int, language);
        QFETCH(QString, message);
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        const QString servers = dir.filePath("program/servers");
        QVERIFY(QDir().mkpath(servers));
        TAddServerDialog dialog(servers, [language] { return language; });
        QSignalSpy saved(&dialog, &TAddServerDialog::serverSaved);
        dialog.setEntry({name, address, "u", "p", ""});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        clickOk(dialog);
        QCOMPARE(prompts.messageTexts(), QStringList{message});
        QCOMPARE(prompts.messages[0].icon, TPrompts::Icon::Error);
        QCOMPARE(saved.count(), 0);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QDir(dir.filePath("program")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"servers"});
        QVERIFY(ListServerFiles(servers).isEmpty());
        // The same names never reach the disk by any other road either.
        if (CheckServerName(name) != ServerNameProblem::None)
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, WriteServerFile(servers, {name, address, "u", "p", ""}));
    }

    void serverFilesAreForTheirOwnerOnly()
    {
        QTemporaryDir dir;
        const ServerEntry entry{"Own", "https://x.test/XfccBasic.asmx", "u", "secret", ""};
        WriteServerFile(dir.path(), entry);
        QFile::setPermissions(dir.filePath("Own"), QFile::permissions(dir.filePath("Own")) | QFile::ReadOther);
        WriteServerFile(dir.path(), entry);  // a replaced file too
        QCOMPARE(QFile::permissions(dir.filePath("Own")) & ~QFileDevice::Permissions(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 OwnerOnly);
        QCOMPARE(ReadServerFile(dir.path(), "Own"), entry);
    }

    void aFileThatCannotBeWrittenReachesTheGeneralErrorBox()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        TAddServerDialog dialog(dir.filePath("no such folder"), [] { return 0; });
        QSignalSpy saved(&dialog, &TAddServerDialog::serverSaved);
        dialog.setEntry({"S", "http://h/XfccBasic.asmx", "u", "p", ""});
        dialog.show();
        clickOk(dialog);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].caption, QStringLiteral("Quorval 1.13"));
        QVERIFY(prompts.messages[0].text.startsWith("Cannot write file"));
        QVERIFY(prompts.messages[0].text.endsWith('.'));
        QCOMPARE(saved.count(), 0);
        QVERIFY(dialog.isVisible());
    }

    void generalErrorText()
    {
        QCOMPARE(GeneralErrorText("Disk full"), QStringLiteral("Disk full."));
        QCOMPARE(GeneralErrorText("Done."), QStringLiteral("Done."));
        QCOMPARE(GeneralErrorText("What!"), QStringLiteral("What!"));
        QCOMPARE(GeneralErrorText("Code 5"), QStringLiteral("Code 5."));
        QCOMPARE(GeneralErrorText("a-"), QStringLiteral("a-"));
        QCOMPARE(GeneralErrorText(""), QString());
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestAddServerDialog test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_add_server_dialog.moc"
