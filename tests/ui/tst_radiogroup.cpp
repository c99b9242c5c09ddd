#include "ui/radiogroup.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class TestRadioGroup : public QObject
{
    Q_OBJECT

private slots:
    void itemsAndIndex();
    void clickingChoosesAnItem();
};

void TestRadioGroup::itemsAndIndex()
{
    TRadioGroup group;
    QCOMPARE(group.itemIndex(), -1);
    group.setItems({"Offer a draw", "Resign", "Accept draw"});
    QCOMPARE(group.items(), QStringList({"Offer a draw", "Resign", "Accept draw"}));
    QCOMPARE(group.itemIndex(), -1); // nothing chosen at first
    group.setItemIndex(2);
    QCOMPARE(group.itemIndex(), 2);
    group.setItemText(2, QStringLiteral("Aceptar tablas"));
    group.setItemText(7, QStringLiteral("no such item"));
    QCOMPARE(group.items().last(), QStringLiteral("Aceptar tablas"));
    QCOMPARE(group.itemIndex(), 2);
    group.setItemIndex(-1);
    QCOMPARE(group.itemIndex(), -1);
    group.setItemIndex(1);
    group.setItems({"English", "Español"});
    QCOMPARE(group.itemIndex(), 1);
    group.setItems({"only"});
    QCOMPARE(group.itemIndex(), -1);
}

void TestRadioGroup::clickingChoosesAnItem()
{
    TRadioGroup group;
    group.setItems({"English", "Español"});
    group.show();
    QSignalSpy clicked(&group, &TRadioGroup::clicked);
    QSignalSpy changed(&group, &TRadioGroup::itemIndexChanged);
    QList<QRadioButton *> buttons = group.findChildren<QRadioButton *>();
    QCOMPARE(buttons.size(), 2);
    QTest::mouseClick(buttons.at(1), Qt::LeftButton);
    QCOMPARE(group.itemIndex(), 1);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().first().toInt(), 1);
    QCOMPARE(changed.last().first().toInt(), 1);
}

QTEST_MAIN(TestRadioGroup)
#include "tst_radiogroup.moc"
