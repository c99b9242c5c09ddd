#include "recording_prompts.h"
#include "ui/filedialogtexts.h"
#include "ui/multilang.h"
#include "ui/radiogroup.h"

#include <QAction>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using Row = std::array<const char *, 3>;

static QStringList words(std::initializer_list<Row> rows)
{
    QStringList list;
    for (const Row &r : rows)
        list << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2]);
    return list;
}

// A window with a component set up as every translated window of the program.
struct Window {
    QWidget widget;
    TMultiLang *ml;
    explicit Window(const QStringList &list)
        : ml(new TMultiLang(&widget))
    {
        ml->setDefaultEnabled(true);
        ml->setWords(list);
        ml->afterLoad();
    }
    template<typename T> T *add(const char *name)
    {
        auto *c = new T(&widget);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    }
};

class TestMultiLang : public QObject
{
    Q_OBJECT

private slots:
    void switchingReappliesEveryText();
    void emptyTextFallsBackToDefaultLanguage();
    void lookupOfMessages();
    void languageOutOfRangeChangesNothing();
    void beforeAndAfterEvents();
    void componentNamesIgnoreCase();
    void listRuleEmptiesUncoveredItems();
    void listViewColumnsAndItems();
    void hintRows();
    void kindsOfControl();
    void editsFollowTranslateEdits();
    void nestedTranslatedWindowsAreLeftAlone();
    void afterLoadShowsLanguageZeroUntilActivated();
    void badLanguageOnActivationIsReportedOnce();
    void changingTheNumberOfLanguages();
    void positionsPerLanguage();
    void fontsPerLanguage();
    void wordFilesAreChecked();
};

void TestMultiLang::switchingReappliesEveryText()
{
    Window w(words({{"%Form%", "Send a move", "Enviar movimiento"},
                    {"headingLabel", "You are going to send the move:", "Va a enviar el movimiento: "},
                    {"cancelButton", "&Cancel", "&Cancelar"}}));
    auto *label = w.add<QLabel>("headingLabel");
    auto *button = w.add<QPushButton>("cancelButton");
    w.ml->setActiveLanguage(1);
    QCOMPARE(w.widget.windowTitle(), QStringLiteral("Enviar movimiento"));
    QCOMPARE(label->text(), QStringLiteral("Va a enviar el movimiento: "));
    QCOMPARE(button->text(), QStringLiteral("&Cancelar"));

    label->setText(QStringLiteral("changed at run time"));
    w.widget.setWindowTitle(QStringLiteral("changed too"));
    w.ml->setActiveLanguage(1);
    QCOMPARE(label->text(), QStringLiteral("Va a enviar el movimiento: "));
    QCOMPARE(w.widget.windowTitle(), QStringLiteral("Enviar movimiento"));

    w.ml->setActiveLanguage(0);
    QCOMPARE(button->text(), QStringLiteral("&Cancel"));
    QCOMPARE(w.ml->activeLanguage(), 0);
}

void TestMultiLang::emptyTextFallsBackToDefaultLanguage()
{
    Window w(words({{"okButton", "O&K", ""}, {"N1", "-", ""}, {"stopButton", "X", ""},
                    {"webPageButton", "", ""}}));
    auto *ok = w.add<QPushButton>("okButton");
    auto *separator = w.add<QAction>("N1");
    auto *stop = w.add<QPushButton>("stopButton");
    auto *tool = w.add<QToolButton>("webPageButton");
    tool->setText(QStringLiteral("designed caption"));
    w.ml->setActiveLanguage(1);
    QCOMPARE(ok->text(), QStringLiteral("O&K"));
    QVERIFY(separator->isSeparator());
    QCOMPARE(stop->text(), QStringLiteral("X"));
    QCOMPARE(tool->text(), QString()); // an empty text is applied too

    w.ml->setDefaultEnabled(false); // re-runs the switch without the fallback
    QCOMPARE(ok->text(), QString());
    QVERIFY(!separator->isSeparator());
}

void TestMultiLang::lookupOfMessages()
{
    Window w(words({{"@servererror", "Server error!!", "¡Error en servidor!"},
                    {"@badmove", "Bad move", ""},
                    {"headingLabel", "Caption", "Título"}}));
    QCOMPARE(w.ml->Translate(QStringLiteral("@servererror")), QStringLiteral("Server error!!"));
    QCOMPARE(w.ml->TranslateTo(QStringLiteral("@ServerError"), 1), QStringLiteral("¡Error en servidor!"));
    QCOMPARE(w.ml->TranslateTo(QStringLiteral("@badmove"), 1), QStringLiteral("Bad move"));
    QCOMPARE(w.ml->TranslateTo(QStringLiteral("headinglabel"), 1), QStringLiteral("Título"));
    QCOMPARE(w.ml->TranslateTo(QStringLiteral("@servererror"), 7), QStringLiteral("Server error!!"));

    QStringList missing;
    connect(w.ml, &TBaseMultiLang::idNotFoundError, this,
            [&missing](const QString &id, QString *result) {
                missing << id;
                if (id == QLatin1String("@replaced"))
                    *result = QStringLiteral("replacement");
            });
    QCOMPARE(w.ml->Translate(QStringLiteral("@NotThere")), QStringLiteral("@notthere"));
    QCOMPARE(w.ml->Translate(QStringLiteral("@Replaced")), QStringLiteral("replacement"));
    QCOMPARE(missing, QStringList({"@notthere", "@replaced"}));
}

void TestMultiLang::languageOutOfRangeChangesNothing()
{
    TRecordingPrompts prompts;
    Window w(words({{"headingLabel", "English", "Español"}}));
    auto *label = w.add<QLabel>("headingLabel");
    w.ml->setActiveLanguage(1);
    w.ml->setActiveLanguage(2);
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].icon, TPrompts::Icon::Information);
    QCOMPARE(prompts.messages[0].caption, QStringLiteral("Information"));
    QCOMPARE(prompts.messages[0].text,
             QStringLiteral("Value must not be higher than\nnumber of available languages."));
    QCOMPARE(prompts.messages[0].buttons, TPrompts::Buttons(TPrompts::Button::Cancel));
    QCOMPARE(w.ml->activeLanguage(), 1);
    QCOMPARE(label->text(), QStringLiteral("Español"));
}

void TestMultiLang::beforeAndAfterEvents()
{
    Window w(words({{"headingLabel", "English", "Español"}}));
    auto *label = w.add<QLabel>("headingLabel");
    bool allow = false;
    QList<int> asked, told;
    connect(w.ml, &TBaseMultiLang::beforeLanguageChange, this, [&](int language, bool *allowIt) {
        asked << language;
        *allowIt = allow;
    });
    connect(w.ml, &TBaseMultiLang::afterLanguageChanged, this, [&](int language) { told << language; });
    w.ml->setActiveLanguage(1);
    QCOMPARE(w.ml->activeLanguage(), 0);
    QCOMPARE(label->text(), QString());
    allow = true;
    w.ml->setActiveLanguage(1);
    QCOMPARE(label->text(), QStringLiteral("Español"));
    QCOMPARE(asked, QList<int>({1, 1}));
    QCOMPARE(told, QList<int>({1}));
}

void TestMultiLang::componentNamesIgnoreCase()
{
    Window w(words({{"languageChoice", "Active language", "Lenguaje activo"},
                    {"\"", "English", ""},
                    {"\"", "Español", ""}}));
    auto *group = w.add<TRadioGroup>("LanguageChoice");
    group->setItems({"one", "two"});
    group->setItemIndex(1);
    w.ml->setActiveLanguage(1);
    QCOMPARE(group->title(), QStringLiteral("Lenguaje activo"));
    QCOMPARE(group->items(), QStringList({"English", "Español"}));
    QCOMPARE(group->itemIndex(), 1);
}

void TestMultiLang::listRuleEmptiesUncoveredItems()
{
    Window w(words({{"itemList", "a", "A"}, {"\"", "b", "B"}, {"\"", "c", "C"},
                    {"headingLabel", "after", "después"}}));
    auto *list = w.add<QListWidget>("itemList");
    list->addItems({"1", "2", "3", "4", "5"});
    auto *label = w.add<QLabel>("headingLabel");
    w.ml->setActiveLanguage(1);
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    QCOMPARE(items, QStringList({"A", "B", "C", "", ""}));
    QCOMPARE(label->text(), QStringLiteral("después")); // the walk went on after the list

    // A list with fewer entries than rows leaves the extra ditto rows to the walk, which passes them.
    auto *combo = new QComboBox(&w.widget);
    combo->setObjectName(QStringLiteral("choiceBox"));
    combo->addItems({"x", "y"});
    combo->setCurrentIndex(1);
    w.ml->setWords(words({{"choiceBox", "a", "A"}, {"\"", "b", "B"}, {"\"", "c", "C"},
                          {"headingLabel", "after", "luego"}}));
    w.ml->setActiveLanguage(1);
    QCOMPARE(combo->itemText(0), QStringLiteral("A"));
    QCOMPARE(combo->itemText(1), QStringLiteral("B"));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(label->text(), QStringLiteral("luego"));
}

void TestMultiLang::listViewColumnsAndItems()
{
    Window w(words({{"GameList", "Game#", "Partida"}, {"\"", "White", "Blancas"},
                    {"ServersList", "Server", "Servidor"},
                    {"Tree", "Columns", "Columnas"}, {"\"", "Second", "Segunda"},
                    {"\"", "row one", "fila uno"}, {"\"", "sub one", "sub uno"},
                    {"@x", "", ""}}));
    auto *games = w.add<QTreeWidget>("GameList");
    games->setRootIsDecorated(false);
    games->setColumnCount(3);
    games->setHeaderLabels({"c1", "c2", "c3"});
    new QTreeWidgetItem(games, QStringList({"4711", "Carlsen", "Anand"}));
    auto *servers = w.add<QListWidget>("ServersList");
    servers->setViewMode(QListView::IconMode);
    servers->addItems({"ICCF", "Local"});

    w.ml->setActiveLanguage(1);
    QCOMPARE(games->headerItem()->text(0), QStringLiteral("Partida"));
    QCOMPARE(games->headerItem()->text(1), QStringLiteral("Blancas"));
    QCOMPARE(games->headerItem()->text(2), QStringLiteral("c3"));
    QCOMPARE(games->topLevelItem(0)->text(0), QStringLiteral("4711"));
    QCOMPARE(games->topLevelItem(0)->text(1), QStringLiteral("Carlsen"));
    QCOMPARE(servers->item(0)->text(), QStringLiteral("ICCF"));
    QCOMPARE(servers->item(1)->text(), QStringLiteral("Local"));

    // Ditto rows after the columns give item captions and their sub-items.
    games->setObjectName(QStringLiteral("Tree"));
    games->setColumnCount(2);
    auto *second = new QTreeWidgetItem(games, QStringList({"r2", "s2"}));
    games->setSortingEnabled(true);
    QTreeWidgetItem *top = games->topLevelItem(0);
    QTreeWidgetItem *below = games->topLevelItem(1);
    w.ml->setActiveLanguage(1);
    QCOMPARE(games->headerItem()->text(0), QStringLiteral("Columnas"));
    QCOMPARE(games->headerItem()->text(1), QStringLiteral("Segunda"));
    QCOMPARE(top->text(0), QStringLiteral("fila uno")); // rows in the order shown
    QCOMPARE(top->text(1), QStringLiteral("sub uno"));
    QCOMPARE(below->text(1), below == second ? QStringLiteral("s2") : QStringLiteral("Carlsen"));
    QVERIFY(games->isSortingEnabled());
}

void TestMultiLang::hintRows()
{
    Window w(words({{"webPageButton", "", ""},
                    {"\".Hint", "Go to game web page", "Va a pagina web de la partida"},
                    {"firstMoveButton", "", ""},
                    {"\".HINT", "", ""},
                    {"itemList", "a", "A"}, {"\"", "b", "B"}, {"\".Hint", "list hint", "pista"},
                    {"\".Hint", "stray", "suelta"}}));
    auto *web = w.add<QToolButton>("webPageButton");
    auto *first = w.add<QToolButton>("firstMoveButton");
    first->setToolTip(QStringLiteral("kept"));
    auto *list = w.add<QListWidget>("itemList");
    list->addItems({"1", "2"});
    w.ml->setActiveLanguage(1);
    QCOMPARE(web->toolTip(), QStringLiteral("Va a pagina web de la partida"));
    QCOMPARE(first->toolTip(), QStringLiteral("kept"));
    QCOMPARE(list->toolTip(), QStringLiteral("pista"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("B"));

    // A button whose texts come from its action keeps them, but takes its hint.
    auto *action = new QAction(QStringLiteral("Reload"), &w.widget);
    auto *reload = w.add<QToolButton>("reloadButton");
    reload->setDefaultAction(action);
    w.ml->setWords(words({{"reloadButton", "caption", "título"}, {"\".Hint", "Reload game", "Recarga partida"}}));
    w.ml->setActiveLanguage(1);
    QCOMPARE(reload->text(), QStringLiteral("Reload"));
    QCOMPARE(reload->toolTip(), QStringLiteral("Recarga partida"));
}

void TestMultiLang::kindsOfControl()
{
    Window w(words({{"nameEdit", "Server Name (e.g.: ICCF)", "Nombre del servidor (ej : ICCF)"},
                    {"notesEdit", "line one", "línea uno"},
                    {"statusBar", "ready", "listo"}, {"\"", "panel", "panel es"},
                    {"tabBar", "first", "primera"},
                    {"tree", "root", "raíz"}, {"\"", "child", "hijo"},
                    {"commandsMenu", "Commands", "Funciones"},
                    {"saveDialog", "", ""}, {"\"", "PGN files|*.pgn", ""},
                    {"innerDialog", "Quorval Options", "Opciones de Quorval"},
                    {"commentsBox", "Show Comments", "Mostrar comentarios"}}));
    auto *edit = w.add<QLineEdit>("nameEdit");
    edit->setText(QStringLiteral("ICCF"));
    auto *editLabel = new QLabel(&w.widget);
    editLabel->setBuddy(edit);
    auto *memo = w.add<QPlainTextEdit>("notesEdit");
    memo->setPlainText(QStringLiteral("a\nb"));
    memo->setReadOnly(true);
    auto *status = w.add<QStatusBar>("statusBar");
    auto *panel = new QLabel(QStringLiteral("p"), status);
    status->addWidget(panel);
    auto *tabs = w.add<QTabBar>("tabBar");
    tabs->addTab(QStringLiteral("t1"));
    tabs->addTab(QStringLiteral("t2"));
    auto *tree = w.add<QTreeWidget>("tree");
    auto *root = new QTreeWidgetItem(tree, QStringList{"r"});
    auto *child = new QTreeWidgetItem(root, QStringList{"c"});
    auto *other = new QTreeWidgetItem(tree, QStringList{"o"});
    auto *menu = w.add<QMenu>("commandsMenu");
    auto *save = w.add<TFileDialogTexts>("saveDialog");
    save->setTitle(QStringLiteral("designed"));
    auto *dialog = new QDialog(&w.widget);
    dialog->setObjectName(QStringLiteral("innerDialog"));
    auto *check = w.add<QCheckBox>("commentsBox");

    w.ml->setActiveLanguage(1);
    QCOMPARE(editLabel->text(), QStringLiteral("Nombre del servidor (ej : ICCF)"));
    QCOMPARE(edit->text(), QStringLiteral("ICCF"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("línea uno\n"));
    QCOMPARE(status->currentMessage(), QStringLiteral("listo"));
    QCOMPARE(panel->text(), QStringLiteral("panel es"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("primera"));
    QCOMPARE(tabs->tabText(1), QString());
    QCOMPARE(root->text(0), QStringLiteral("raíz"));
    QCOMPARE(child->text(0), QStringLiteral("hijo"));
    QCOMPARE(other->text(0), QStringLiteral("o"));
    QCOMPARE(menu->title(), QStringLiteral("Funciones"));
    QCOMPARE(save->title(), QString());
    QCOMPARE(save->filter(), QStringLiteral("PGN files|*.pgn"));
    QCOMPARE(save->qtFilter(), QStringLiteral("PGN files (*.pgn)"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Opciones de Quorval"));
    QCOMPARE(check->text(), QStringLiteral("Mostrar comentarios"));

    const QList<QStringList> grid = w.ml->collect();
    QVERIFY(grid.contains(QStringList({"commentsBox", "", "Mostrar comentarios"})));
    QVERIFY(grid.contains(QStringList({"\"", "", "hijo"})));
}

void TestMultiLang::editsFollowTranslateEdits()
{
    Window w(words({{"nameEdit", "typed", "tecleado"}}));
    auto *edit = w.add<QLineEdit>("nameEdit");
    edit->setText(QStringLiteral("user text"));
    w.ml->setActiveLanguage(1);
    QCOMPARE(edit->text(), QStringLiteral("user text"));
    edit->setReadOnly(true);
    w.ml->setActiveLanguage(1);
    QCOMPARE(edit->text(), QStringLiteral("tecleado"));
    w.ml->setTranslateEdits(TBaseMultiLang::teNever);
    w.ml->setActiveLanguage(0);
    QCOMPARE(edit->text(), QStringLiteral("tecleado"));
    edit->setReadOnly(false);
    w.ml->setTranslateEdits(TBaseMultiLang::teAlways);
    w.ml->setActiveLanguage(0);
    QCOMPARE(edit->text(), QStringLiteral("typed"));
}

void TestMultiLang::nestedTranslatedWindowsAreLeftAlone()
{
    Window main(words({{"headingLabel", "main", "principal"}, {"Dialog", "Dialog", "Diálogo"}}));
    auto *dialog = main.add<QDialog>("Dialog");
    auto *inner = new QLabel(QStringLiteral("dialog's own"), dialog);
    inner->setObjectName(QStringLiteral("headingLabel"));
    new TMultiLang(dialog);
    main.ml->setActiveLanguage(1);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Diálogo"));
    QCOMPARE(inner->text(), QStringLiteral("dialog's own"));
}

void TestMultiLang::afterLoadShowsLanguageZeroUntilActivated()
{
    TRecordingPrompts prompts;
    int setting = 1;
    QDialog dialog;
    auto *label = new QLabel(&dialog);
    label->setObjectName(QStringLiteral("noteLabel"));
    auto *ml = new TMultiLang(&dialog);
    ml->setDefaultEnabled(true);
    ml->setActiveLanguage(1); // as stored; Words still empty
    ml->setWords(words({{"noteLabel", "Your opponent wrote:", "Su oponente escribió: "}}));
    ml->afterLoad();
    QCOMPARE(ml->activeLanguage(), 0);
    QCOMPARE(label->text(), QStringLiteral("Your opponent wrote:"));

    ml->followActivation([&setting] { return setting; });
    label->setText(QString());
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(label->text(), QStringLiteral("Su oponente escribió: "));
    QVERIFY(prompts.messages.isEmpty());
}

void TestMultiLang::badLanguageOnActivationIsReportedOnce()
{
    TRecordingPrompts prompts;
    int setting = 5;
    QWidget window;
    window.setObjectName(QStringLiteral("window"));
    auto *ml = new TMultiLang(&window);
    ml->afterLoad();
    ml->followActivation([&setting] { return setting; });
    QVERIFY(prompts.messages.isEmpty());
    for (int i = 0; i < 3; ++i) {
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &activate);
    }
    QCOMPARE(prompts.messages.size(), 1);
    setting = 1;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    QCOMPARE(ml->activeLanguage(), 1);
}

void TestMultiLang::changingTheNumberOfLanguages()
{
    TRecordingPrompts prompts;
    Window w(words({{"headingLabel", "one", "uno"}, {"@m", "msg", "mensaje"}}));
    w.ml->setLanguages(3);
    QCOMPARE(w.ml->words(), QStringList({"headingLabel", "one", "uno", "?", "@m", "msg", "mensaje", "?"}));
    QVERIFY(prompts.messages.isEmpty());

    w.ml->setActiveLanguage(2);
    prompts.buttonAnswers.enqueue(TPrompts::Button::No);
    w.ml->setLanguages(2);
    QCOMPARE(w.ml->languages(), 3);
    QVERIFY(prompts.messages.last().text.contains(QLatin1String("currently displayed language")));

    prompts.buttonAnswers.enqueue(TPrompts::Button::Yes);
    w.ml->setLanguages(2);
    QCOMPARE(w.ml->languages(), 2);
    QCOMPARE(w.ml->activeLanguage(), 0);
    QCOMPARE(w.ml->words(), QStringList({"headingLabel", "one", "uno", "@m", "msg", "mensaje"}));

    prompts.buttonAnswers.enqueue(TPrompts::Button::No);
    w.ml->setLanguages(1);
    QCOMPARE(prompts.messages.last().text,
             QStringLiteral("You are decreasing the number of languages.\n"
                            "Entries for the removed language will be lost.\n\nContinue?"));
    QCOMPARE(w.ml->languages(), 2);

    w.ml->setLanguages(0);
    QCOMPARE(prompts.messages.last().text, QStringLiteral("You have to provide at least 1 language."));
    QCOMPARE(w.ml->languages(), 2);

    w.ml->setLanguages(1); // answered with the recorder's default, Yes
    QCOMPARE(w.ml->words(), QStringList({"headingLabel", "one", "@m", "msg"}));
    QCOMPARE(w.ml->Translate(QStringLiteral("@m")), QStringLiteral("msg"));
}

void TestMultiLang::positionsPerLanguage()
{
    TRecordingPrompts prompts;
    Window w(words({{"headingLabel", "one", "uno"}}));
    auto *label = w.add<QLabel>("headingLabel");
    label->setGeometry(8, 16, 281, 17);
    w.ml->setSwitchPositions(TBaseMultiLang::spControlsOnly);
    w.ml->setActiveLanguage(1);
    QCOMPARE(w.ml->positions(), QStringList({"headinglabel,8.16.281.17,8.16.281.17"}));
    label->setGeometry(10, 20, 200, 30);
    w.ml->setActiveLanguage(0);
    QCOMPARE(w.ml->positions(), QStringList({"headinglabel,8.16.281.17,10.20.200.30"}));
    QCOMPARE(label->geometry(), QRect(8, 16, 281, 17));
    w.ml->setActiveLanguage(1);
    QCOMPARE(label->geometry(), QRect(10, 20, 200, 30));

    prompts.buttonAnswers.enqueue(TPrompts::Button::No);
    w.ml->setSwitchPositions(TBaseMultiLang::spNone);
    QCOMPARE(prompts.messages.last().text, QStringLiteral("Cancelled."));
    QCOMPARE(w.ml->switchPositions(), TBaseMultiLang::spControlsOnly);
    w.ml->setSwitchPositions(TBaseMultiLang::spNone);
    QVERIFY(w.ml->positions().isEmpty());
    QCOMPARE(w.ml->switchPositions(), TBaseMultiLang::spNone);
}

void TestMultiLang::fontsPerLanguage()
{
    Window w(words({}));
    const QString family = w.widget.font().family();
    w.ml->setCharSets({"MS Sans Serif,1", "MS Sans Serif,1"});
    w.ml->setActiveLanguage(1);
    QCOMPARE(w.ml->charSets(), QStringList({family + ",1", "MS Sans Serif,1"}));
    QCOMPARE(w.widget.font().family(), family); // a font the system lacks is stood in for

    w.ml->setCharSets({});
    w.ml->setActiveLanguage(0);
    QCOMPARE(w.ml->charSets(), QStringList({family + ",1", family + ",1"}));

    w.ml->setCharSets({"Some Font,1", "Some Font,one"});
    QVERIFY_THROWS_EXCEPTION(TMultiLangError, w.ml->setActiveLanguage(1));
}

void TestMultiLang::wordFilesAreChecked()
{
    Window w(words({{"headingLabel", "one", "uno"}}));
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.words"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("headingLabel\none\n");
    file.close();
    QVERIFY(w.ml->loadWords(broken).contains(QLatin1String("whole groups")));
    QVERIFY(!w.ml->loadWords(dir.filePath(QStringLiteral("missing.words"))).isEmpty());
    QCOMPARE(w.ml->words().size(), 3);

    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("headingLabel\r\none\r\n\r\n");
    file.close();
    QCOMPARE(w.ml->loadWords(broken), QString());
    QCOMPARE(w.ml->words(), QStringList({"headingLabel", "one", ""}));
}

QTEST_MAIN(TestMultiLang)
#include "tst_multilang.moc"
