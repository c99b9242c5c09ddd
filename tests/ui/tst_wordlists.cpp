#include "ui/multilang.h"
#include "ui/radiogroup.h"
#include "ui/wordlists.h"

#include "ui/filedialogtexts.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestWordLists : public QObject
{
    Q_OBJECT

private slots:
    void everyListParses_data();
    void everyListParses();
    void messagesInBothLanguages();
    void optionsDialogWalksIntoSpanish();
    void mainWindowWalksIntoSpanish();
    void addServerLabelsAreTranslated();
    void newSendMoveDialogShowsEnglishUntilActivated();
    void missingListIsAnError();
};

void TestWordLists::everyListParses_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("anId");
    QTest::newRow("main") << WordList::QuorvalMain << "gameList";
    QTest::newRow("options") << WordList::OptionsDialog << "languageChoice";
    QTest::newRow("add server") << WordList::AddServerDialog << "passwordEdit";
    QTest::newRow("send move") << WordList::SendMoveDialog << "resultOffer";
    QTest::newRow("about") << WordList::AboutBox << "okButton";
}

void TestWordLists::everyListParses()
{
    QFETCH(QString, list);
    QFETCH(QString, anId);
    QWidget window;
    TMultiLang *ml = createMultiLang(&window, list);
    QCOMPARE(ml->objectName(), QStringLiteral("translator"));
    QCOMPARE(ml->languages(), 2);
    QVERIFY(ml->defaultEnabled());
    // Showing language 0 stored the window's own font for it.
    QCOMPARE(ml->charSets(), QStringList({window.font().family() + ",1", "MS Sans Serif,1"}));
    const QStringList words = ml->words();
    QVERIFY(words.size() >= 3);
    QCOMPARE(words.size() % 3, 0);
    bool found = false;
    for (int row = 0; row < words.size(); row += 3) {
        const QString &id = words.at(row);
        QVERIFY2(!id.isEmpty(), qPrintable(QStringLiteral("empty id at row %1").arg(row)));
        found = found || id == anId;
        const bool captionOnly = words.at(row + 1).isEmpty() && words.at(row + 2).isEmpty();
        // Only rows that clear a caption may be empty in both languages.
        if (captionOnly)
            QVERIFY2(!id.startsWith(QLatin1Char('@')) && id != QLatin1String("\".Hint"), qPrintable(id));
    }
    QVERIFY(found);
}

void TestWordLists::messagesInBothLanguages()
{
    QWidget main;
    TMultiLang *ml = createMultiLang(&main, WordList::QuorvalMain);
    QCOMPARE(ml->TranslateTo(QStringLiteral("@connectingtoserver"), 1) + QStringLiteral("ICCF"),
             QStringLiteral("Conectando a servidor : ICCF"));
    QCOMPARE(ml->Translate(QStringLiteral("@sendingmove")), QStringLiteral("Sending move to: "));
    QCOMPARE(ml->TranslateTo(QStringLiteral("@servererror"), 1), QStringLiteral("¡Error en servidor!"));
    QCOMPARE(ml->TranslateTo(QStringLiteral("@authenticationfailed"), 1), QStringLiteral("Fallo de identificación"));
    QCOMPARE(ml->TranslateTo(QStringLiteral("@movesentsuccessfully"), 1), QStringLiteral("Movimiento enviado con éxito"));
    QVERIFY(ml->TranslateTo(QStringLiteral("@badmoveentered"), 1).startsWith(QLatin1String("No ha introducido")));
    QCOMPARE(ml->TranslateTo(QStringLiteral("commandsSeparator"), 1), QStringLiteral("-"));

    QWidget dialog;
    TMultiLang *send = createMultiLang(&dialog, WordList::SendMoveDialog);
    QCOMPARE(send->TranslateTo(QStringLiteral("@invalidmovenumber"), 1),
             QStringLiteral("Numero de movimiento no valido, recargue la partida, haga un movimiento váildo y pruebe de nuevo"));
}

void TestWordLists::optionsDialogWalksIntoSpanish()
{
    // The options dialog's controls as its list names them.
    QWidget dialog;
    auto add = [&dialog](auto *widget, const char *name) {
        widget->setParent(&dialog);
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    auto *servers = add(new QGroupBox, "serversGroup");
    auto *remove = add(new QPushButton, "removeServerButton");
    auto *ongoing = add(new QCheckBox, "onlyOngoingBox");
    auto *light = add(new QLabel, "lightSquaresLabel");
    auto *language = add(new TRadioGroup, "languageChoice");
    language->setItems({"?", "?"});
    auto *engineType = add(new TRadioGroup, "engineProtocol");
    engineType->setItems({"?", "?"});
    auto *ok = add(new QPushButton, "okButton");
    auto *cancel = add(new QPushButton, "cancelButton");

    TMultiLang *ml = createMultiLang(&dialog, WordList::OptionsDialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quorval Options"));
    QCOMPARE(cancel->text(), QStringLiteral("&Cancel"));
    ml->setActiveLanguage(1);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Opciones de Quorval"));
    QCOMPARE(servers->title(), QStringLiteral("Servidores"));
    QCOMPARE(remove->text(), QStringLiteral("Borrar servidor"));
    QCOMPARE(ongoing->text(), QStringLiteral("Mostrar solo partidas en juego"));
    QCOMPARE(light->text(), QStringLiteral("Casillas blancas"));
    QCOMPARE(language->title(), QStringLiteral("Lenguaje activo"));
    QCOMPARE(language->items(), QStringList({"English", "Español"}));
    QCOMPARE(engineType->items(), QStringList({"Winboard II", "UCI"}));
    QCOMPARE(ok->text(), QStringLiteral("O&K"));
    QCOMPARE(cancel->text(), QStringLiteral("&Cancelar"));
}

void TestWordLists::mainWindowWalksIntoSpanish()
{
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("Quorval 1.13"));
    QMenu *file = main.menuBar()->addMenu(QStringLiteral("Archivo"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QAction *options = file->addAction(QStringLiteral("?"));
    options->setObjectName(QStringLiteral("optionsAction"));
    QAction *separator = file->addSeparator();
    separator->setObjectName(QStringLiteral("fileSeparator"));
    QMenu *exportPgn = file->addMenu(QStringLiteral("?"));
    exportPgn->setObjectName(QStringLiteral("exportPgnMenu"));
    QAction *append = exportPgn->addAction(QStringLiteral("?"));
    append->setObjectName(QStringLiteral("appendGameToFileAction"));
    QToolBar *tools = main.addToolBar(QStringLiteral("tools"));
    auto *close = new QToolButton(tools);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setText(QStringLiteral("designed"));
    tools->addWidget(close);
    auto *central = new QWidget(&main);
    main.setCentralWidget(central);
    auto *servers = new QListWidget(central);
    servers->setObjectName(QStringLiteral("serverList"));
    servers->setViewMode(QListView::IconMode);
    servers->addItems({"ICCF", "Local"});
    auto *games = new QTreeWidget(central);
    games->setObjectName(QStringLiteral("gameList"));
    games->setRootIsDecorated(false);
    games->setColumnCount(7);
    new QTreeWidgetItem(games, QStringList({"12", "White player", "Black player", "Cup", "3d, 5h", "0d, 0h", "*"}));
    auto *save = new TFileDialogTexts(&main);
    save->setObjectName(QStringLiteral("pgnSaveDialog"));

    TMultiLang *ml = createMultiLang(&main, WordList::QuorvalMain);
    QCOMPARE(options->text(), QStringLiteral("Options ..."));
    ml->setActiveLanguage(1);
    QCOMPARE(main.windowTitle(), QStringLiteral("Quorval 1.13"));
    QCOMPARE(file->title(), QStringLiteral("&Ficheros"));
    QCOMPARE(options->text(), QStringLiteral("Opciones..."));
    QVERIFY(separator->isSeparator());
    QCOMPARE(exportPgn->title(), QStringLiteral("Exportar a PGN"));
    QCOMPARE(append->text(), QStringLiteral("Añadir a fichero"));
    QCOMPARE(close->text(), QString());
    QCOMPARE(close->toolTip(), QStringLiteral("Cierra Quorval"));
    QStringList headings;
    for (int i = 0; i < 7; ++i)
        headings << games->headerItem()->text(i);
    QCOMPARE(headings, QStringList({"Partida", "Blancas", "Negras", "Evento", "Su tiempo", "T. oponente", "Resultado"}));
    QCOMPARE(games->topLevelItem(0)->text(1), QStringLiteral("White player"));
    QCOMPARE(servers->item(0)->text(), QStringLiteral("ICCF"));
    QCOMPARE(save->title(), QString());
    QCOMPARE(save->qtFilter(), QStringLiteral("PGN files (*.pgn)"));

    ml->setActiveLanguage(0);
    QCOMPARE(games->headerItem()->text(5), QStringLiteral("Opp. time"));
    QCOMPARE(close->toolTip(), QStringLiteral("Close Quorval"));
    QCOMPARE(file->title(), QStringLiteral("&File"));
}

void TestWordLists::addServerLabelsAreTranslated()
{
    QDialog dialog;
    auto *form = new QFormLayout(&dialog);
    QList<QLineEdit *> edits;
    const char *const names[] = {"nameEdit", "serviceUrlEdit", "userNameEdit", "passwordEdit", "webSiteEdit"};
    for (int i = 1; i <= 5; ++i) {
        auto *edit = new QLineEdit(&dialog);
        edit->setObjectName(QLatin1String(names[i - 1]));
        edit->setText(QStringLiteral("typed %1").arg(i));
        form->addRow(QStringLiteral("?"), edit);
        edits << edit;
    }
    TMultiLang *ml = createMultiLang(&dialog, WordList::AddServerDialog);
    auto label = [form](QLineEdit *edit) { return qobject_cast<QLabel *>(form->labelForField(edit))->text(); };
    QCOMPARE(label(edits[0]), QStringLiteral("Server Name (e.g.: ICCF)"));
    ml->setActiveLanguage(1);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Añadir servidor"));
    QCOMPARE(label(edits[2]), QStringLiteral("Nombre de usuario (en ICCF to ID de usuario)"));
    QCOMPARE(label(edits[3]), QStringLiteral("Contraseña (En ICCF tu contraseña)"));
    QVERIFY(label(edits[4]).startsWith(QLatin1String("Pagina web del servidor (opcional, en ICCF : ")));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(edits[i]->text(), QStringLiteral("typed %1").arg(i + 1)); // the user's input stays
}

void TestWordLists::newSendMoveDialogShowsEnglishUntilActivated()
{
    QDialog dialog;
    auto *heading = new QLabel(&dialog);
    heading->setObjectName(QStringLiteral("moveHeading"));
    auto *offer = new TRadioGroup(&dialog);
    offer->setObjectName(QStringLiteral("resultOffer"));
    offer->setItems({"?", "?", "?"});
    auto *cancel = new QPushButton(&dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    TMultiLang *ml = createMultiLang(&dialog, WordList::SendMoveDialog);
    ml->followActivation([] { return 1; });
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Send a move"));
    QCOMPARE(heading->text(), QStringLiteral("You are going to send the move:"));
    QCOMPARE(offer->items(), QStringList({"Offer a draw", "Resign", "Accept draw"}));

    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Enviar movimiento"));
    QCOMPARE(heading->text(), QStringLiteral("Va a enviar el movimiento: "));
    QCOMPARE(offer->items(), QStringList({"Ofrecer tablas", "Abandonar", "Aceptar tablas"}));
    QCOMPARE(offer->itemIndex(), -1);
    QCOMPARE(cancel->text(), QStringLiteral("&Cancelar"));
}

void TestWordLists::missingListIsAnError()
{
    QWidget window;
    QVERIFY_THROWS_EXCEPTION(TMultiLangError, createMultiLang(&window, QStringLiteral(":/words/none.words")));
    QVERIFY(!window.findChild<TMultiLang *>());
}

QTEST_MAIN(TestWordLists)
#include "tst_wordlists.moc"
