#include "app/add_server_dialog.h"
#include "app/general_error.h"
#include "app/options_dialog.h"
#include "app/quorval_main.h"
#include "recording_prompts.h"
#include "ui/aboutbox.h"
#include "ui/multilang.h"
#include "ui/radiogroup.h"
#include "ui/wordlists.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// Walks every window in each language and checks that no text of the other
// language is left where the word list gives one of its own.
class TestLanguages : public QObject
{
    Q_OBJECT

    std::unique_ptr<TRecordingPrompts> m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQuorvalMain> m_window;

    // Every text a person can read in the window: titles, captions, labels,
    // hints, menu entries, column headings, radio items.
    static QStringList shownTexts(QWidget *window)
    {
        QStringList texts{window->windowTitle()};
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->isWindow() && w != window)
                continue;  // another window's texts
            texts << w->toolTip();
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                texts << button->text();
            if (auto *label = qobject_cast<QLabel *>(w))
                texts << label->text();
            if (auto *group = qobject_cast<QGroupBox *>(w))
                texts << group->title();
            if (auto *tree = qobject_cast<QTreeWidget *>(w)) {
                for (int c = 0; c < tree->columnCount(); ++c)
                    texts << tree->headerItem()->text(c);
            }
        }
        for (QAction *action : window->findChildren<QAction *>())
            texts << action->text();
        texts.removeAll(QString());
        return texts;
    }

    // Texts of one language that the word list replaces in the other.
    static QStringList textsOnlyIn(const QString &wordList, int language)
    {
        QFile file(wordList);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(wordList));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        QStringList only;
        for (qsizetype i = 0; i + 2 < lines.size(); i += 3) {
            const QString mine = lines[i + 1 + language];
            const QString other = lines[i + 2 - language];
            if (!mine.isEmpty() && !other.isEmpty() && mine != other && mine != "-")
                only << mine;
        }
        return only;
    }

    static void verifySpeaks(QWidget *window, const QString &wordList, int language)
    {
        const QStringList shown = shownTexts(window);
        for (const QString &foreign : textsOnlyIn(wordList, 1 - language)) {
            if (shown.contains(foreign) && !textsOnlyIn(wordList, language).contains(foreign))
                QFAIL(qPrintable(QStringLiteral("%1 shows \"%2\" in language %3")
                                     .arg(window->objectName(), foreign).arg(language)));
        }
        int ownTexts = 0;
        for (const QString &own : textsOnlyIn(wordList, language))
            ownTexts += shown.contains(own);
        QVERIFY2(ownTexts >= 2, qPrintable(window->objectName()));
    }

private Q_SLOTS:
    void init()
    {
        m_prompts = std::make_unique<TRecordingPrompts>();
        m_dir = std::make_unique<QTemporaryDir>();
        // Not a first run: no options dialog at the first activation.
        QFile settings(m_dir->filePath("quorval.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.close();
        m_window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_dir->path()));
        m_window->createDialogs();
    }
    void cleanup()
    {
        m_window.reset();
        m_prompts.reset();
    }

    void everyWindowSpeaksTheActiveLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Spanish") << 1;
    }
    void everyWindowSpeaksTheActiveLanguage()
    {
        QFETCH(int, language);
        m_window->settings().ActiveLanguage = std::uint8_t(language);
        const struct { QWidget *window; QString words; } windows[] = {
            {m_window.get(), WordList::QuorvalMain},
            {m_window->optionsDialog(), WordList::OptionsDialog},
            {m_window->addServerDialog(), WordList::AddServerDialog},
            {m_window->aboutBox(), WordList::AboutBox},
        };
        for (const auto &w : windows) {
            // Each window takes the language when it is activated.
            w.window->show();
            w.window->activateWindow();
            QTRY_VERIFY(w.window->isActiveWindow());
            verifySpeaks(w.window, w.words, language);
            w.window->hide();
        }
        QCOMPARE(m_window->gameList()->headerItem()->text(1), language ? QStringLiteral("Blancas") : QStringLiteral("White"));
        // A separator is a line, not a "-".
        int separators = 0;
        for (QAction *action : m_window->findChildren<QAction *>()) {
            if (action->isSeparator()) {
                ++separators;
                QCOMPARE(action->text(), QString());
            }
        }
        QCOMPARE(separators, 3);
    }

    void aLanguageTheProgramLacksIsReportedOnceAndForgotten()
    {
        m_window.reset();
        QTemporaryDir dir;
        QFile settings(dir.filePath("quorval.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[SETUP]\r\nACTIVE_LANGUAGE=7\r\nCHECK_SERVERS_PERIODICALLY=0\r\n");
        settings.close();
        for (int run = 0; run < 2; ++run) {
            TQuorvalMain window(TProgramContext::forFolder(dir.path()));
            window.createDialogs();
            for (QWidget *shown : {static_cast<QWidget *>(&window), static_cast<QWidget *>(window.optionsDialog()),
                                   static_cast<QWidget *>(window.addServerDialog())}) {
                shown->show();
                shown->activateWindow();
                QTRY_VERIFY(shown->isActiveWindow());
                if (shown != &window)
                    shown->hide();
            }
            QCOMPARE(window.gameList()->headerItem()->text(1), QStringLiteral("White"));
            window.close();
            // Told once in the first run; the default is stored, so never again.
            QCOMPARE(m_prompts->messageTexts(),
                     QStringList{"Value must not be higher than\nnumber of available languages."});
        }
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("ACTIVE_LANGUAGE=0\r\n"));
    }

    void theOptionsDialogPreviewsALanguageAndCancelKeepsTheOld()
    {
        TOptionsDialog *options = m_window->optionsDialog();
        options->show();
        options->activateWindow();
        QTRY_VERIFY(options->isActiveWindow());
        QCOMPARE(options->windowTitle(), QStringLiteral("Quorval Options"));
        auto *language = options->findChild<TRadioGroup *>("languageChoice");
        const QList<QAbstractButton *> items = language->findChildren<QAbstractButton *>();
        QCOMPARE(items.size(), 2);
        QTest::mouseClick(items[1], Qt::LeftButton, {}, QPoint(5, items[1]->height() / 2));
        QCOMPARE(options->windowTitle(), QStringLiteral("Opciones de Quorval"));
        QTest::mouseClick(options->findChild<QAbstractButton *>("cancelButton"), Qt::LeftButton);
        QCOMPARE(m_window->settings().ActiveLanguage, 0);
        m_window->show();
        m_window->activateWindow();
        QTRY_VERIFY(m_window->isActiveWindow());
        QCOMPARE(m_window->gameList()->headerItem()->text(1), QStringLiteral("White"));
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestLanguages test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_languages.moc"
