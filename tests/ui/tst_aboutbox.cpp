#include "ui/aboutbox.h"
#include "ui/multilang.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void controlsAsDesigned();
    void versionLine();
    void switchesLanguageOnActivation();
    void okButtonClosesTheModalBox();
};

void TestAboutBox::controlsAsDesigned()
{
    TAboutBox about([] { return 0; });
    QCOMPARE(about.size(), QSize(350, 319));
    QVERIFY(about.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto *artwork = about.findChild<QLabel *>(QStringLiteral("artwork"));
    QCOMPARE(artwork->geometry(), QRect(0, 0, 353, 321));
    QVERIFY(!artwork->pixmap().isNull());
    const QImage art = artwork->pixmap().toImage();
    QVERIFY(art.pixelColor(100, 20) != art.pixelColor(270, 150)); // night sky, light panel
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("versionLabel"))->geometry(), QRect(208, 68, 121, 13));
    auto *description = about.findChild<QLabel *>(QStringLiteral("descriptionLabel"));
    QCOMPARE(description->geometry(), QRect(208, 128, 129, 97));
    QVERIFY(description->wordWrap());
    auto *ok = about.findChild<QToolButton *>(QStringLiteral("okButton"));
    QCOMPARE(ok->geometry(), QRect(240, 240, 57, 41));
    QCOMPARE(ok->text(), QStringLiteral("Ok"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About Quorval"));
    QCOMPARE(about.findChild<TMultiLang *>(QStringLiteral("translator")), about.multiLang());
}

void TestAboutBox::versionLine()
{
    TAboutBox about([] { return 0; });
    auto *version = about.findChild<QLabel *>(QStringLiteral("versionLabel"));
    QCOMPARE(version->text(), QStringLiteral("Version:"));
    about.setVersionText(QStringLiteral("1.13"));
    QCOMPARE(version->text(), QStringLiteral("Version: 1.13"));
}

void TestAboutBox::switchesLanguageOnActivation()
{
    int language = 1;
    TAboutBox about([&language] { return language; });
    auto *description = about.findChild<QLabel *>(QStringLiteral("descriptionLabel"));
    auto *credit = about.findChild<QLabel *>(QStringLiteral("creditLabel"));
    QVERIFY(description->text().startsWith(QLatin1String("Quorval is a client")));
    const QString englishCredit = credit->text();
    QVERIFY(!englishCredit.isEmpty());

    about.show();
    about.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QCOMPARE(about.windowTitle(), QStringLiteral("Acerca de Quorval"));
    QVERIFY(description->text().startsWith(QLatin1String("Quorval es un cliente")));
    QCOMPARE(credit->text(), englishCredit); // its Spanish text is empty
    QCOMPARE(about.findChild<QToolButton *>(QStringLiteral("okButton"))->text(), QStringLiteral("Ok"));
}

void TestAboutBox::okButtonClosesTheModalBox()
{
    TAboutBox about([] { return 0; });
    QTimer::singleShot(0, &about, [&about] {
        QTest::mouseClick(about.findChild<QToolButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
