#include "app/program_context.h"
#include "app/game_list_controller.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "recording_prompts.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestServerFiles : public QObject
{
    Q_OBJECT

    static void writeAll(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray readAll(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void writesFourCrLfLines()
    {
        QTemporaryDir dir;
        WriteServerFile(dir.path(), {"ICCF", "https://x/XfccBasic.asmx", "123", "pä&ss", ""});
        QCOMPARE(readAll(dir.filePath("ICCF")), QByteArray("https://x/XfccBasic.asmx\r\n123\r\np\xC3\xA4&ss\r\n\r\n"));
        QCOMPARE(ReadServerFile(dir.path(), "ICCF"),
                 (ServerEntry{"ICCF", "https://x/XfccBasic.asmx", "123", "pä&ss", ""}));
    }

    void overwritesAnExistingName()
    {
        QTemporaryDir dir;
        WriteServerFile(dir.path(), {"S", "a", "b", "c", "d"});
        WriteServerFile(dir.path(), {"S", "e", "f", "g", ""});
        QCOMPARE(readAll(dir.filePath("S")), QByteArray("e\r\nf\r\ng\r\n\r\n"));
        QCOMPARE(ListServerFiles(dir.path()), QStringList{"S"});
    }

    void shortAndLongFiles()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath("two"), "http://h/XfccBasic.asmx\nme");
        QCOMPARE(ReadServerFile(dir.path(), "two"), (ServerEntry{"two", "http://h/XfccBasic.asmx", "me", "", ""}));
        writeAll(dir.filePath("six"), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
        QCOMPARE(ReadServerFile(dir.path(), "six"), (ServerEntry{"six", "1", "2", "3", "4"}));
        writeAll(dir.filePath("empty"), "");
        QCOMPARE(ReadServerFile(dir.path(), "empty"), (ServerEntry{"empty", "", "", "", ""}));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ReadServerFile(dir.path(), "missing"));
    }

    void everyPlainVisibleFileIsAServer()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath("copied by hand.txt"), "u\r\n");
        writeAll(dir.filePath(".hidden"), "u\r\n");
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QCOMPARE(ListServerFiles(dir.path()), QStringList{"copied by hand.txt"});
    }

    void theMainWindowListsTheServers()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        const TProgramContext context = TProgramContext::forFolder(dir.path());
        context.createFolders();
        writeAll(context.ServersFolder + "/Alpha.srv", "http://127.0.0.1:1/XfccBasic.asmx\r\nu\r\np\r\n\r\n");
        writeAll(context.ServersFolder + "/Beta", "http://127.0.0.1:1/XfccBasic.asmx\r\nu\r\n");
        TQuorvalMain window(context);
        window.games()->refreshServerList(false);
        QListWidget *list = window.serverList();
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        names.sort();
        QCOMPARE(names, (QStringList{"Alpha.srv", "Beta"}));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(list->iconSize(), QSize(32, 32));
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_MAIN(TestServerFiles)
#include "tst_server_files.moc"
