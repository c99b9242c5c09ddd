#include "app/add_server_dialog.h"
#include "app/general_error.h"
#include "main_window_rig.h"

#include <QLineEdit>
#include <QPushButton>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// While this lives, no file of this process can grow beyond `bytes`: a write
// beyond fails with EFBIG, as one fails with ENOSPC on a full disk. SIGXFSZ
// is ignored meanwhile, so that the write fails instead of ending the test.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

QByteArray contentsOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

XfccGame game(int id, const char *moves)
{
    XfccGame g;
    g.id = id;
    g.white = QStringLiteral("Ann");
    g.black = QStringLiteral("Bob");
    g.hasWhite = true;
    g.myTurn = true;
    g.moves = QString::fromLatin1(moves);
    return g;
}

} // namespace

// Every file the program writes, written while the disk is full or its
// folder cannot be written: the old file stays as it was, byte for byte, the
// player is told, and the window goes on. The tests run as root on CI, where
// permissions stop no write; a file size limit stands in for a full disk, a
// file in the folder's place and a folder in the file's place stand in for a
// folder that cannot be written, and a read-only folder and file are tried
// where the tests run as another user.
class TestFileFaults : public QObject
{
    Q_OBJECT

public:
    enum class Target { Settings, ServerFile, TemporaryGame, GameLog, ExportRewrite, ExportAppend };
    enum class Fault { FullDisk, FileInTheFoldersPlace, FolderInTheFilesPlace, ReadOnlyFolderAndFile };
    Q_ENUM(Target)
    Q_ENUM(Fault)

private:
    std::unique_ptr<TMainWindowRig> m_rig;

    TQuorvalMain *window() const { return m_rig->window.get(); }
    QString exportFile() const { return m_rig->dir.filePath(QStringLiteral("export/games.pgn")); }

    QString fileOf(Target target) const
    {
        const TProgramContext &context = window()->context();
        switch (target) {
        case Target::Settings:
            return context.settingsFileName();
        case Target::ServerFile:
            return ServerFileName(context.ServersFolder, QStringLiteral("Loopback"));
        case Target::TemporaryGame:
            return QDir(context.TempFolder).filePath(QStringLiteral("temporal.pgn"));
        case Target::GameLog:
            return QDir(context.ProgramFolder).filePath(QStringLiteral("quorval.log"));
        case Target::ExportRewrite:
        case Target::ExportAppend:
            return exportFile();
        }
        return {};
    }

    void exportTo(const char *command)
    {
        m_rig->prompts.fileAnswers.enqueue(exportFile());
        m_rig->prompts.buttonAnswers.enqueue(TPrompts::Button::No);  // "Include comments?"
        m_rig->trigger(command);
    }

    // Has the program write the target's file once, so that an old one
    // exists, and makes sure that writing it again would change it.
    void writeOldFile(Target target)
    {
        switch (target) {
        case Target::Settings:
        case Target::ServerFile:
        case Target::TemporaryGame:
            break;  // written at the start
        case Target::GameLog:
            m_rig->trigger("showGameLogAction");
            m_rig->clickGame(1);
            break;
        case Target::ExportRewrite:
        case Target::ExportAppend:
            QVERIFY(QDir().mkpath(QFileInfo(exportFile()).path()));
            exportTo("saveGameAction");
            m_rig->clickGame(1);
            break;
        }
    }

    // What the player does that writes the target's file (again).
    void writeAgain(Target target)
    {
        switch (target) {
        case Target::Settings:
            window()->settings().ShowComments = !window()->settings().ShowComments;
            window()->close();
            break;
        case Target::ServerFile: {
            TAddServerDialog *dialog = window()->addServerDialog();
            dialog->setEntry({"Loopback", m_rig->server.serviceAddress(), "ann", "a new password", ""});
            dialog->show();
            dialog->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
            break;
        }
        case Target::TemporaryGame:
            m_rig->clickGame(1);
            break;
        case Target::GameLog:
            m_rig->trigger("showGameLogAction");
            break;
        case Target::ExportRewrite:
            exportTo("saveGameAction");
            break;
        case Target::ExportAppend:
            exportTo("appendGameToFileAction");
            break;
        }
    }

    // What else must be as it was after the failed write.
    void checkTheWindowGoesOn(Target target, qsizetype openedUrls)
    {
        QCOMPARE(m_rig->prompts.openedUrls.size(), openedUrls);  // no log opened
        switch (target) {
        case Target::ServerFile: {
            // The dialog stays open with what the player typed.
            TAddServerDialog *dialog = window()->addServerDialog();
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("passwordEdit"))->text(), QStringLiteral("a new password"));
            dialog->hide();
            break;
        }
        case Target::TemporaryGame:
            // The game before is still the one on the board, and its row selected.
            QCOMPARE(window()->games()->currentGame()->id, 1);
            QCOMPARE(window()->game().MoveCount, 2);
            QCOMPARE(window()->diagram()->PieceAt(34), Piece::WhitePawn);  // e4
            QCOMPARE(window()->gameList()->currentItem(), window()->gameList()->topLevelItem(0));
            break;
        default:
            break;
        }
    }

private Q_SLOTS:
    void init()
    {
        m_rig = std::make_unique<TMainWindowRig>();
        m_rig->start({game(1, "1.e4 e5"), game(2, "1.d4 d5 2.c4")});
        QVERIFY(m_rig->prompts.messages.isEmpty());
    }
    void cleanup() { m_rig.reset(); }

    void aFailedWriteKeepsTheOldFileAndSaysSo_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<Fault>("fault");
        const QMetaEnum targets = QMetaEnum::fromType<Target>();
        const QMetaEnum faults = QMetaEnum::fromType<Fault>();
        for (int t = 0; t < targets.keyCount(); ++t) {
            for (int f = 0; f < faults.keyCount(); ++f)
                QTest::addRow("%s, %s", targets.key(t), faults.key(f)) << Target(targets.value(t)) << Fault(faults.value(f));
        }
    }

    void aFailedWriteKeepsTheOldFileAndSaysSo()
    {
        QFETCH(Target, target);
        QFETCH(Fault, fault);
        if (fault == Fault::ReadOnlyFolderAndFile && geteuid() == 0)
            QSKIP("permissions stop no write of root; the other faults stand in for a read-only folder");
        writeOldFile(target);
        const QString file = fileOf(target);
        const QString folder = QFileInfo(file).path();
        const QByteArray old = contentsOf(file);
        QVERIFY2(!old.isEmpty() && old != "<unreadable>", qPrintable(file));
        const qsizetype messages = m_rig->prompts.messages.size();
        const qsizetype openedUrls = m_rig->prompts.openedUrls.size();

        const QByteArray blocker = "a file where a folder belongs";
        switch (fault) {
        case Fault::FullDisk: {
            // Room for a few bytes: a write that fails part-way.
            const TFileSizeLimit fullDisk((target == Target::ExportAppend ? old.size() : 0) + 10);
            writeAgain(target);
            break;
        }
        case Fault::FileInTheFoldersPlace: {
            QVERIFY(QDir().rename(folder, folder + QStringLiteral(".moved")));
            QFile placeholder(folder);
            QVERIFY(placeholder.open(QIODevice::WriteOnly) && placeholder.write(blocker) == blocker.size());
            placeholder.close();
            writeAgain(target);
            break;
        }
        case Fault::FolderInTheFilesPlace:
            QVERIFY(QFile::remove(file) && QDir().mkdir(file));
            writeAgain(target);
            break;
        case Fault::ReadOnlyFolderAndFile:
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            writeAgain(target);
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
            break;
        }

        // One clear error, in the general error box (after "Include comments?"
        // for an export).
        const bool isExport = target == Target::ExportRewrite || target == Target::ExportAppend;
        const qsizetype asked = isExport ? 1 : 0;
        QCOMPARE(m_rig->prompts.messages.size(), messages + asked + 1);
        const TRecordingPrompts::Message &box = m_rig->prompts.messages.last();
        QCOMPARE(box.caption, QStringLiteral("Quorval 1.13"));
        QCOMPARE(box.icon, TPrompts::Icon::Error);
        QVERIFY2(box.text.startsWith(QStringLiteral("Cannot write file %1: ").arg(QDir::toNativeSeparators(file))),
                 qPrintable(box.text));

        // The old file as it was, and nothing left beside it.
        switch (fault) {
        case Fault::FullDisk:
        case Fault::ReadOnlyFolderAndFile:
            QCOMPARE(contentsOf(file), old);
            QCOMPARE(QDir(folder).entryList({QFileInfo(file).fileName() + QStringLiteral("*")}, QDir::AllEntries),
                     QStringList{QFileInfo(file).fileName()});
            break;
        case Fault::FileInTheFoldersPlace:
            QCOMPARE(contentsOf(folder), blocker);
            QCOMPARE(contentsOf(folder + QStringLiteral(".moved/") + QFileInfo(file).fileName()), old);
            break;
        case Fault::FolderInTheFilesPlace:
            QVERIFY(QFileInfo(file).isDir());
            QVERIFY(QDir(file).isEmpty());
            break;
        }
        checkTheWindowGoesOn(target, openedUrls);

        // Once there is room again, the same command writes the file.
        if (fault == Fault::FullDisk && target != Target::Settings) {
            writeAgain(target);
            QCOMPARE(m_rig->prompts.messages.size(), messages + 2 * asked + 1);
            QVERIFY(contentsOf(file) != old);
        }
    }

    void aProgramFolderThatIsAFileIsToldAtOnce()
    {
        // A program folder that cannot be a folder: nothing can be written.
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        const QString blocked = dir.filePath(QStringLiteral("program"));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a folder") > 0);
        file.close();
        {
            TQuorvalMain window(TProgramContext::forFolder(blocked));
            window.createDialogs();
            QCOMPARE(prompts.messageTexts(),
                     QStringList{"I/O error: cannot change to folder " + window.context().ProgramFolder});
            window.close();
        }
        QCOMPARE(prompts.messages.size(), 2);
        QVERIFY2(prompts.messages[1].text.startsWith(QStringLiteral("Cannot write file ")), qPrintable(prompts.messages[1].text));
        QCOMPARE(contentsOf(blocked), QByteArray("not a folder"));
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestFileFaults test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_file_faults.moc"
