#include "ui/frameanimation.h"
#include "ui/waitwindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QTest>

class TestWaitWindow : public QObject
{
    Q_OBJECT

private slots:
    void layoutAsDesigned();
    void panelTakesTheColourAtEveryShowing();
    void scopeShowsAndAlwaysResets();
    void centredOverTheMainWindowTheFirstTime();
    void animationLoops();
};

void TestWaitWindow::layoutAsDesigned()
{
    TWaitWindow wait({});
    QCOMPARE(wait.size(), QSize(295, 85));
    QVERIFY(wait.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!wait.isModal());
    QVERIFY(!wait.isVisible());
    auto *label = wait.findChild<QLabel *>(QStringLiteral("message"));
    QVERIFY(label);
    QCOMPARE(label->geometry(), QRect(8, 56, 281, 17));
    QVERIFY(label->text().isEmpty());
    QVERIFY(label->alignment().testFlag(Qt::AlignHCenter));
    QVERIFY(label->font().bold());
    auto *clip = wait.findChild<TFrameAnimation *>(QStringLiteral("animation"));
    QVERIFY(clip);
    QCOMPARE(clip->geometry(), QRect(88, 16, 104, 34));
    QCOMPARE(wait.findChild<QFrame *>(QStringLiteral("panel"))->geometry(), wait.rect());
}

void TestWaitWindow::panelTakesTheColourAtEveryShowing()
{
    QColor lightSquares(166, 202, 240);
    TWaitWindow wait([&lightSquares] { return lightSquares; });
    auto *panel = wait.findChild<QFrame *>(QStringLiteral("panel"));
    wait.showNow();
    QCOMPARE(wait.grab().toImage().pixelColor(150, 40), lightSquares);
    wait.hide();

    lightSquares = QColor(255, 240, 200); // changed in the options dialog meanwhile
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(166, 202, 240));
    wait.showNow();
    QCOMPARE(panel->palette().color(QPalette::Window), lightSquares);
    QCOMPARE(wait.grab().toImage().pixelColor(150, 40), lightSquares);
}

void TestWaitWindow::scopeShowsAndAlwaysResets()
{
    TWaitWindow wait({});
    auto cursorShape = [] {
        return QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                 : Qt::ArrowCursor;
    };
    {
        TWaitScope scope(&wait, QStringLiteral("Conectando a servidor : ICCF"));
        QVERIFY(wait.isVisible());
        QCOMPARE(wait.message(), QStringLiteral("Conectando a servidor : ICCF"));
        QCOMPARE(cursorShape(), Qt::WaitCursor);
        scope.setMessage(QStringLiteral("Connecting to server: Local"));
        QCOMPARE(wait.message(), QStringLiteral("Connecting to server: Local"));
    }
    QVERIFY(!wait.isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());

    try {
        TWaitScope scope(&wait, QStringLiteral("Sending move to: ICCF"));
        throw std::runtime_error("transport failure");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(!wait.isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestWaitWindow::centredOverTheMainWindowTheFirstTime()
{
    QMainWindow main;
    main.setGeometry(100, 120, 767, 547);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    TWaitWindow wait({}, &main);
    wait.showNow();
    const QPoint offset = wait.frameGeometry().center() - main.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QStringLiteral("offset %1,%2").arg(offset.x()).arg(offset.y())));
}

void TestWaitWindow::animationLoops()
{
    TWaitWindow wait({});
    TFrameAnimation *clip = wait.animation();
    QVERIFY(clip->isRunning());
    QCOMPARE(clip->frameCount(), 16);
    const int first = clip->currentFrame();
    QTRY_VERIFY_WITH_TIMEOUT(clip->currentFrame() != first, 1000);
    // Every frame paints something of the clip.
    const QImage image = clip->grab().toImage();
    QVERIFY(image.pixelColor(14, 16) != image.pixelColor(60, 30));
}

QTEST_MAIN(TestWaitWindow)
#include "tst_waitwindow.moc"
