#include "app/add_server_dialog.h"
#include "app/general_error.h"
#include "app/server_entry.h"
#include "recording_prompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestAddServerDialog : public QObject
{
    Q_OBJECT

    static QLineEdit *edit(TAddServerDialog &dialog, int n)
    {
        return dialog.findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n));
    }
    static void clickOk(TAddServerDialog &dialog)
    {
        QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
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
