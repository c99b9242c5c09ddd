#include "ui/multilang.h"
#include "ui/radiogroup.h"
#include "ui/wordlists.h"

#include <QCheckBox>
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
    void missingListIsAnError();
};

void TestWordLists::everyListParses_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("anId");
    QTest::newRow("main") << WordList::QuorvalMain << "GameList";
    QTest::newRow("options") << WordList::OptionsDialog << "EditLanguage";
    QTest::newRow("add server") << WordList::AddServerDialog << "Edit4";
    QTest::newRow("send move") << WordList::SendMoveDialog << "OfferResult";
    QTest::newRow("about") << WordList::AboutBox << "SpeedButton1";
}

void TestWordLists::everyListParses()
{
    QFETCH(QString, list);
    QFETCH(QString, anId);
    QWidget window;
    TMultiLang *ml = createMultiLang(&window, list);
    QCOMPARE(ml->objectName(), QStringLiteral("MultiLang1"));
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
    QCOMPARE(ml->TranslateTo(QStringLiteral("N2"), 1), QStringLiteral("-"));

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
    auto *servers = add(new QGroupBox, "GroupBox1");
    auto *remove = add(new QPushButton, "Button3");
    auto *ongoing = add(new QCheckBox, "EditShowOngoing");
    auto *light = add(new QLabel, "Label1");
    auto *language = add(new TRadioGroup, "EditLAnguage");
    language->setItems({"?", "?"});
    auto *engineType = add(new TRadioGroup, "EditEngineType");
    engineType->setItems({"?", "?"});
    auto *ok = add(new QPushButton, "OKBtn");
    auto *cancel = add(new QPushButton, "CancelBtn");

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

void TestWordLists::missingListIsAnError()
{
    QWidget window;
    QVERIFY_THROWS_EXCEPTION(TMultiLangError, createMultiLang(&window, QStringLiteral(":/words/none.words")));
    QVERIFY(!window.findChild<TMultiLang *>());
}

QTEST_MAIN(TestWordLists)
#include "tst_wordlists.moc"
