#include "app/add_server_dialog.h"
#include "app/options_dialog.h"
#include "app/program_context.h"
#include "app/quorval_main.h"
#include "app/settings.h"
#include "service/send_move_dialog.h"
#include "ui/aboutbox.h"
#include "ui/multilang.h"
#include "ui/waitwindow.h"
#include "ui/wordlists.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

// Makes one window of the program; `folder` is a fresh folder for its files.
using WindowMaker = std::function<std::unique_ptr<QWidget>(const QString &folder)>;
Q_DECLARE_METATYPE(WindowMaker)

// Holds each window's word list to the window: every control the list names
// is there, and every text the window shows comes from the list, in each
// language.
class TestWindowWords : public QObject
{
    Q_OBJECT

    TSettings m_settings;

    struct Group {
        QString id;
        QStringList texts; // one per language
    };

    static QList<Group> groupsOf(const QString &wordList)
    {
        QFile file(wordList);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(wordList));
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QList<Group> groups;
        for (qsizetype i = 0; i + 2 < lines.size(); i += 3)
            groups.append({lines[i], {lines[i + 1], lines[i + 2]}});
        return groups;
    }

    // The texts the list gives the window in `language`; an empty one shows
    // the English text, as the program's translation components do.
    static QStringList listedTexts(const QList<Group> &groups, int language)
    {
        QStringList texts;
        for (const Group &group : groups) {
            if (group.id.startsWith(QLatin1Char('@')))
                continue;
            const QString text = group.texts.at(language);
            texts << (text.isEmpty() ? group.texts.at(0) : text);
        }
        return texts;
    }

    // Every text a person can read in the window, with the control that shows
    // it: title, captions, labels, hints, group titles, radio items, menu
    // entries, drop-down items and column headings.
    static QList<std::pair<QString, QObject *>> shownTexts(QWidget *window)
    {
        QList<std::pair<QString, QObject *>> texts{{window->windowTitle(), window}};
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->window() != window)
                continue; // another window's texts
            texts.append({w->toolTip(), w});
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                texts.append({button->text(), w});
            if (auto *label = qobject_cast<QLabel *>(w))
                texts.append({label->text(), w});
            if (auto *group = qobject_cast<QGroupBox *>(w))
                texts.append({group->title(), w});
            if (auto *box = qobject_cast<QComboBox *>(w)) {
                for (int i = 0; i < box->count(); ++i)
                    texts.append({box->itemText(i), w});
            }
            if (auto *tree = qobject_cast<QTreeWidget *>(w)) {
                for (int c = 0; c < tree->columnCount(); ++c)
                    texts.append({tree->headerItem()->text(c), w});
            }
        }
        for (QAction *action : window->findChildren<QAction *>())
            texts.append({action->text(), action});
        return texts;
    }

    // A text to translate has a letter in it: "..." and "X" read the same in
    // every language.
    static bool hasWords(const QString &text)
    {
        return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    }

    // Whether `object` is one of the controls named in `names` or lies inside one.
    static bool within(QObject *object, const QStringList &names)
    {
        for (; object; object = object->parent()) {
            if (names.contains(object->objectName()))
                return true;
        }
        return false;
    }

private Q_SLOTS:
    void everyListMatchesItsWindow_data()
    {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QString>("wordList");
        // Controls whose texts the program composes at run time, not words;
        // "%Form%" stands for the window's own title.
        QTest::addColumn<QStringList>("composed");

        QTest::newRow("main window")
            << WindowMaker([](const QString &folder) -> std::unique_ptr<QWidget> {
                   return std::make_unique<TQuorvalMain>(TProgramContext::forFolder(folder));
               })
            // The title with the program's version, and the engine panel's
            // analysis, which the engine link composes.
            << WordList::QuorvalMain << QStringList{"%Form%", "enginePanel"};
        QTest::newRow("options dialog")
            << WindowMaker([this](const QString &folder) -> std::unique_ptr<QWidget> {
                   m_settings = TSettings::defaults(folder + QLatin1Char('/'));
                   return std::make_unique<TOptionsDialog>(m_settings, folder, nullptr);
               })
            // The colour names of the two colour boxes are not translated.
            << WordList::OptionsDialog << QStringList{"lightSquaresColor", "darkSquaresColor"};
        QTest::newRow("add-server dialog")
            << WindowMaker([](const QString &folder) -> std::unique_ptr<QWidget> {
                   return std::make_unique<TAddServerDialog>(folder, [] { return 0; });
               })
            << WordList::AddServerDialog << QStringList{};
        QTest::newRow("send-move dialog")
            << WindowMaker([](const QString &) -> std::unique_ptr<QWidget> {
                   const auto game = std::make_unique<GameRecord>();
                   return std::make_unique<TSendMoveDialog>(TMoveToSend(*game, 0, XfccGame{}), QString(),
                                                            [] { return 0; });
               })
            // The move to send, "23. Nf3".
            << WordList::SendMoveDialog << QStringList{"moveLabel"};
        QTest::newRow("about box")
            << WindowMaker([](const QString &) -> std::unique_ptr<QWidget> {
                   return std::make_unique<TAboutBox>([] { return 0; });
               })
            // "Version: " and the program's version.
            << WordList::AboutBox << QStringList{"versionLabel"};
        QTest::newRow("wait window")
            << WindowMaker([](const QString &) -> std::unique_ptr<QWidget> {
                   return std::make_unique<TWaitWindow>([] { return QColor(Qt::white); });
               })
            // The caller's message, which it translates itself.
            << WordList::WaitWindow << QStringList{"message"};
    }

    void everyListMatchesItsWindow()
    {
        QFETCH(WindowMaker, make);
        QFETCH(QString, wordList);
        QFETCH(QStringList, composed);
        QTemporaryDir dir;
        const std::unique_ptr<QWidget> window = make(dir.path());
        const QList<Group> groups = groupsOf(wordList);
        QVERIFY(!groups.isEmpty());

        // Each control the list names is in the window, under that name
        // without regard to case, as the translation component looks it up.
        const QList<QObject *> objects = window->findChildren<QObject *>();
        for (const Group &group : groups) {
            const QString &id = group.id;
            if (id.startsWith(QLatin1Char('@')) || id.startsWith(QLatin1Char('"')) || id == QLatin1String("%Form%"))
                continue;
            const bool found = std::any_of(objects.begin(), objects.end(), [&id](const QObject *o) {
                return o->objectName().compare(id, Qt::CaseInsensitive) == 0;
            });
            QVERIFY2(found, qPrintable(QStringLiteral("%1 names \"%2\", which %3 lacks")
                                           .arg(wordList, id, window->objectName())));
        }

        auto *translator = window->findChild<TMultiLang *>();
        QVERIFY(translator);
        for (const int language : {0, 1}) {
            translator->setActiveLanguage(language);
            const QStringList listed = listedTexts(groups, language);
            for (const auto &[text, control] : shownTexts(window.get())) {
                if (!hasWords(text) || (control == window.get() ? composed.contains(QStringLiteral("%Form%"))
                                                                : within(control, composed)))
                    continue;
                QVERIFY2(listed.contains(text),
                         qPrintable(QStringLiteral("%1 shows \"%2\" (%3) in language %4, which %5 does not give")
                                        .arg(window->objectName(), text, control->objectName())
                                        .arg(language)
                                        .arg(wordList)));
            }
        }
    }
};

QTEST_MAIN(TestWindowWords)
#include "tst_window_words.moc"
