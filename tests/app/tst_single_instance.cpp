#include "app/single_instance.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Runs real copies of the program, each in a program folder of its own and
// all sharing one temporary folder, where the instance lock lives.
class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString lockFile() const
    {
        return QFileInfo(TSingleInstance::lockFileName("QuorvalMutex", TSingleInstance::currentUser())).fileName();
    }

    QString installCopy(const QString &name)
    {
        const QString folder = m_root.filePath(name);
        QDir().mkpath(folder);
        const QString binary = folder + "/quorval";
        QFile::copy(qEnvironmentVariable("QUORVAL_BINARY"), binary);
        return binary;
    }

    std::unique_ptr<QProcess> start(const QString &binary)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", m_root.filePath("tmp"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(env);
        process->start(binary, {});
        return process;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo(qEnvironmentVariable("QUORVAL_BINARY")).isExecutable());
        QDir().mkpath(m_root.filePath("tmp"));
    }

    void aSecondInstanceIsRefusedAndTheFirstGoesOn()
    {
        auto first = start(installCopy("first"));
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_root.filePath("first/servers")).isDir(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_root.filePath("tmp/" + lockFile())), 20000);

        auto second = start(installCopy("second"));
        QVERIFY(second->waitForStarted());
        QByteArray secondErrors;
        QTRY_VERIFY_WITH_TIMEOUT((secondErrors += second->readAllStandardError())
                                     .contains("Instance of Quorval is already running."),
                                 20000);
        // The refused copy created no window: its folders were never made.
        QVERIFY(!QFileInfo(m_root.filePath("second/servers")).exists());
        second->kill();
        second->waitForFinished();

        QCOMPARE(first->state(), QProcess::Running);
        QVERIFY(QFile::exists(m_root.filePath("tmp/" + lockFile())));

        // A run that crashed leaves its lock behind; it does not block a new start.
        first->kill();
        first->waitForFinished();
        QVERIFY(QFile::exists(m_root.filePath("tmp/" + lockFile())));
        auto third = start(installCopy("third"));
        QVERIFY(third->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_root.filePath("third/servers")).isDir(), 20000);
        QCOMPARE(third->state(), QProcess::Running);
        third->kill();
        third->waitForFinished();
    }

    void inProcessLock()
    {
        qputenv("TMPDIR", m_root.filePath("tmp").toLocal8Bit());
        TSingleInstance one(QStringLiteral("QuorvalTestMutex"));
        QVERIFY(one.acquire());
        // QLockFile is per process: a second handle in the same process sees it held.
        TSingleInstance two(QStringLiteral("QuorvalTestMutex"));
        QVERIFY(!two.acquire());
        // Another user's session on the same machine has a lock of its own.
        TSingleInstance otherUser(QStringLiteral("QuorvalTestMutex"), QStringLiteral("someone else"));
        QVERIFY(otherUser.acquire());
        QCOMPARE(QFileInfo(TSingleInstance::lockFileName("QuorvalTestMutex", "someone else")).fileName(),
                 QStringLiteral("QuorvalTestMutex-someone_else.lock"));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
