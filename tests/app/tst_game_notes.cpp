#include "app/game_notes.h"
#include "app/general_error.h"
#include "app/notes_pane.h"
#include "app/options_dialog.h"
#include "app/pgn_text.h"
#include "main_window_rig.h"
#include "when_modal.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

// The player's notes, through the real window and the real files.
class TestGameNotes : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMainWindowRig> m_rig;

    static XfccGame game(int id, const QString &white)
    {
        XfccGame g;
        g.id = id;
        g.white = white;
        g.black = QStringLiteral("Bob");
        g.myTurn = true;
        g.hasWhite = true;
        g.moves = QStringLiteral("1.e4 e5");
        return g;
    }
    TQuorvalMain *window() const { return m_rig->window.get(); }
    QPlainTextEdit *edit() const { return window()->findChild<QPlainTextEdit *>("notesEdit"); }
    QString notesFile(int id) const { return m_rig->programFolder() + QStringLiteral("/notes/Loopback/%1.txt").arg(id); }
    static QString readAll(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<none>");
    }
    void type(const QString &text)
    {
        edit()->setFocus();
        edit()->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit(), text);
    }

private Q_SLOTS:
    void init()
    {
        m_rig = std::make_unique<TMainWindowRig>();
        m_rig->start({game(1, "Ann"), game(2, "Cleo")});
        window()->notesPane()->setSaveDelay(std::chrono::milliseconds(100));
    }
    void cleanup() { m_rig.reset(); }

    void typedNotesReachTheDiskAndComeBack()
    {
        QVERIFY(edit()->isEnabled());
        type(QStringLiteral("Plan: c5 break; ¡ojo!"));
        QTRY_COMPARE(readAll(notesFile(1)), QStringLiteral("Plan: c5 break; ¡ojo!"));
        // A game change writes at once, without the pause.
        window()->notesPane()->setSaveDelay(std::chrono::hours(1));
        type(QStringLiteral(" Qb6?"));
        m_rig->clickGame(1);
        QCOMPARE(readAll(notesFile(1)), QStringLiteral("Plan: c5 break; ¡ojo! Qb6?"));
        QCOMPARE(edit()->toPlainText(), QString());
        type(QStringLiteral("Cleo plays slowly"));

        // A refresh and a restart show them again; nothing went to the server.
        m_rig->trigger("refreshGamesAction");
        m_rig->clickGame(0);
        QCOMPARE(edit()->toPlainText(), QStringLiteral("Plan: c5 break; ¡ojo! Qb6?"));
        const QString programFolder = m_rig->programFolder();
        window()->close();  // closing writes the notes of game 2
        m_rig->window.reset();
        QCOMPARE(readAll(notesFile(2)), QStringLiteral("Cleo plays slowly"));
        for (const TCannedHttpServer::Request &request : m_rig->server.requests())
            QVERIFY(!request.body.contains("Cleo plays") && !request.body.contains("c5 break"));
        m_rig->window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(programFolder));
        m_rig->window->createDialogs();
        m_rig->window->show();
        QTRY_VERIFY(window()->games()->currentGame());
        QCOMPARE(edit()->toPlainText(), QStringLiteral("Plan: c5 break; ¡ojo! Qb6?"));
        QVERIFY(m_rig->prompts.messages.isEmpty());
    }

    void notesThatCannotBeWrittenStayAndSaySo()
    {
        // A file where the server's notes folder should be: no write can succeed.
        QVERIFY(QDir().mkpath(m_rig->programFolder() + "/notes"));
        QFile blocker(m_rig->programFolder() + "/notes/Loopback");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        type(QStringLiteral("keep me"));
        QTRY_VERIFY(!window()->notesPane()->problem().isEmpty());
        QVERIFY(window()->notesPane()->problem().startsWith("Your notes could not be saved"));
        QCOMPARE(edit()->toPlainText(), QStringLiteral("keep me"));
        // Another game and back: the text is still there, kept for the next try.
        m_rig->clickGame(1);
        m_rig->clickGame(0);
        QCOMPARE(edit()->toPlainText(), QStringLiteral("keep me"));
        QVERIFY(m_rig->prompts.messages.isEmpty());
        // Once the place can be written, the next change writes them.
        QVERIFY(QFile::remove(blocker.fileName()));
        type(QStringLiteral("!"));
        QTRY_COMPARE(readAll(notesFile(1)), QStringLiteral("keep me!"));
        QVERIFY(window()->notesPane()->problem().isEmpty());
    }

    void removingAServerAsksWhetherToKeepItsNotes_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("keep") << true;
        QTest::newRow("remove") << false;
    }
    void removingAServerAsksWhetherToKeepItsNotes()
    {
        QFETCH(bool, keep);
        type(QStringLiteral("notes of a server"));
        QVERIFY(window()->notesPane()->flush());
        TOptionsDialog *options = window()->optionsDialog();
        options->show();
        auto *list = options->findChild<QListWidget *>("serverList");
        list->setCurrentItem(list->findItems("Loopback", Qt::MatchExactly).value(0));
        m_rig->prompts.buttonAnswers.enqueue(TPrompts::Button::Ok);
        m_rig->prompts.buttonAnswers.enqueue(keep ? TPrompts::Button::Yes : TPrompts::Button::No);
        QTest::mouseClick(options->findChild<QPushButton *>("removeServerButton"), Qt::LeftButton);
        QVERIFY(m_rig->prompts.messages.last().text.startsWith("Keep your notes on this server's games?"));
        QCOMPARE(QFile::exists(notesFile(1)), keep);
        options->reject();
    }

    void exportsOfferTheNotesBeforeTheFirstMove()
    {
        GameRecord record;
        const QString text = ExportPGNText(game(1, "Ann"), record, {}, false, QStringLiteral("Line 1 {a}\nLine 2"));
        QVERIFY2(text.contains("\r\n\r\n{Line 1 (a)\r\nLine 2}\r\n"), qPrintable(text));
        QCOMPARE(ExportPGNText(game(1, "Ann"), record, {}, false, QStringLiteral("  ")),
                 ExportPGNText(game(1, "Ann"), record, {}, false));
        // Names that would leave the notes folder are refused.
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, TGameNotes(m_rig->programFolder()).write("../x", 1, "t"));
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestGameNotes test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_game_notes.moc"
