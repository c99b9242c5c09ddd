#include "ui/saveform.h"
#include "ui/windowhook.h"

#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Each case runs against its own settings folder.
class TestSaveForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstStartKeepsTheDesignedSizeCentred();
    void normalPlacementComesBack();
    void closingMaximized();
    void minimizedFromMaximized();
    void minimizedFromNormal();
    void restoresOnlyWhenAllFourAreNonZero();
    void hookSeesEventsOnlyWhileEnabled();
    void splitterSizesComeBack_data();
    void splitterSizesComeBack();

private:
    static constexpr const char *key = "Software\\Quorval\\Test\\QuorvalMain";
    struct Run {
        std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
        TSaveForm *saveForm;
        Run()
        {
            window->resize(767, 547); // as designed
            saveForm = new TSaveForm(window.get());
            saveForm->setRegistryKey(QString::fromLatin1(key));
            saveForm->setCentreAtFirstShow(true);
            saveForm->setEnabled(true);
            saveForm->afterLoad();
        }
    };
    static QString stored(const char *name)
    {
        QSettings store;
        return store.value(QStringLiteral("Software/Quorval/Test/QuorvalMain/") + QLatin1String(name)).toString();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSaveForm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
    QCoreApplication::setOrganizationName(QStringLiteral("QuorvalTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_saveform"));
}

void TestSaveForm::firstStartKeepsTheDesignedSizeCentred()
{
    Run run;
    run.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
    QCOMPARE(run.window->size(), QSize(767, 547));
    const QPoint centre = run.window->screen()->availableGeometry().center();
    QVERIFY((run.window->frameGeometry().center() - centre).manhattanLength() <= 2);
    QCOMPARE(run.window->windowState(), Qt::WindowNoState);
}

void TestSaveForm::normalPlacementComesBack()
{
    {
        Run run;
        run.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
        run.window->setGeometry(40, 60, 800, 600);
    }
    QCOMPARE(stored("Left"), QStringLiteral("40"));
    QCOMPARE(stored("Top"), QStringLiteral("60"));
    QCOMPARE(stored("Width"), QStringLiteral("800"));
    QCOMPARE(stored("Height"), QStringLiteral("600"));
    QCOMPARE(stored("State"), QStringLiteral("1"));
    QCOMPARE(stored("RestoreToMax"), QStringLiteral("0"));
    QSettings store;
    QCOMPARE(store.value(QStringLiteral("Software/Quorval/Test/QuorvalMain/Width")).typeId(), QMetaType::QString);

    Run next;
    QCOMPARE(next.window->size(), QSize(800, 600));
    QCOMPARE(next.window->windowState(), Qt::WindowNoState);
    next.window->show(); // the first showing centres, keeping the size
    QVERIFY(QTest::qWaitForWindowExposed(next.window.get()));
    QCOMPARE(next.window->size(), QSize(800, 600));
}

void TestSaveForm::closingMaximized()
{
    {
        Run run;
        run.window->setGeometry(50, 70, 700, 500);
        run.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
        run.window->showMaximized();
        QTRY_VERIFY(run.window->size() != QSize(700, 500));
    }
    QCOMPARE(stored("State"), QStringLiteral("3"));
    QCOMPARE(stored("Width"), QStringLiteral("700")); // of the normal rectangle
    QCOMPARE(stored("Height"), QStringLiteral("500"));
    QCOMPARE(stored("RestoreToMax"), QStringLiteral("0"));

    Run next;
    QVERIFY(next.window->windowState() & Qt::WindowMaximized);
}

void TestSaveForm::minimizedFromMaximized()
{
    {
        Run run;
        run.window->setGeometry(50, 70, 700, 500);
        run.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
        run.window->showMaximized();
        run.window->showMinimized();
    }
    QCOMPARE(stored("State"), QStringLiteral("2"));
    QCOMPARE(stored("RestoreToMax"), QStringLiteral("1"));

    Run next;
    QCOMPARE(next.window->windowState(), Qt::WindowMinimized | Qt::WindowMaximized);
    next.window->show();
    next.window->setWindowState(next.window->windowState() & ~Qt::WindowMinimized); // the user restores it
    QCOMPARE(next.window->windowState(), Qt::WindowMaximized);
}

void TestSaveForm::minimizedFromNormal()
{
    {
        Run run;
        run.window->setGeometry(50, 70, 640, 480);
        run.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
        run.window->showMinimized();
    }
    QCOMPARE(stored("State"), QStringLiteral("2"));
    QCOMPARE(stored("RestoreToMax"), QStringLiteral("0"));

    Run next;
    QCOMPARE(next.window->windowState(), Qt::WindowMinimized);
    QCOMPARE(next.window->size(), QSize(640, 480));
}

void TestSaveForm::restoresOnlyWhenAllFourAreNonZero()
{
    QSettings store;
    store.beginGroup(QStringLiteral("Software/Quorval/Test/QuorvalMain"));
    store.setValue(QStringLiteral("Left"), QStringLiteral("0"));
    store.setValue(QStringLiteral("Top"), QStringLiteral("30"));
    store.setValue(QStringLiteral("Width"), QStringLiteral("500"));
    store.setValue(QStringLiteral("Height"), QStringLiteral("400"));
    store.setValue(QStringLiteral("State"), QStringLiteral("3"));
    store.sync();
    {
        Run run;
        QCOMPARE(run.window->size(), QSize(767, 547));
        QCOMPARE(run.window->windowState(), Qt::WindowNoState);
        run.saveForm->setEnabled(false); // nothing saved either
    }
    store.setValue(QStringLiteral("Left"), QStringLiteral("twelve"));
    store.sync();
    Run unreadable;
    QCOMPARE(unreadable.window->size(), QSize(767, 547));

    store.setValue(QStringLiteral("Left"), QStringLiteral("12"));
    store.remove(QStringLiteral("State"));
    store.sync();
    Run withoutState;
    QCOMPARE(withoutState.window->geometry(), QRect(12, 30, 500, 400));
    QCOMPARE(withoutState.window->windowState(), Qt::WindowNoState);
}

void TestSaveForm::hookSeesEventsOnlyWhileEnabled()
{
    struct Window : QWidget {
        int received = 0;
        bool event(QEvent *e) override
        {
            received += e->type() == QEvent::User;
            return QWidget::event(e);
        }
    } window;
    QList<QEvent::Type> seen;
    bool swallow = false;
    {
        TWindowHook hook(&window);
        hook.setOnWndProc([&](QEvent *event, bool &callDef) {
            seen << event->type();
            callDef = !swallow;
        });
        QEvent user(QEvent::User);
        QCoreApplication::sendEvent(&window, &user);
        QVERIFY(seen.isEmpty());
        hook.setEnabled(true);
        QCoreApplication::sendEvent(&window, &user);
        QCOMPARE(seen, QList<QEvent::Type>({QEvent::User}));
        QCOMPARE(window.received, 2);
        swallow = true;
        QCoreApplication::sendEvent(&window, &user);
        QCOMPARE(window.received, 2); // kept from the window
        hook.setEnabled(false);
        QCoreApplication::sendEvent(&window, &user);
        QCOMPARE(window.received, 3);
        hook.setEnabled(true);
        seen.clear();
    }
    QCOMPARE(seen, QList<QEvent::Type>({TWindowHook::WindowDestroy}));
    QEvent after(QEvent::User);
    QCoreApplication::sendEvent(&window, &after);
    QCOMPARE(seen.size(), 1);
}


void TestSaveForm::splitterSizesComeBack_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("expected");  // the first pane's size first
    QTest::newRow("nothing stored: the first pane's default") << QString() << QList<int>{200, 0};
    QTest::newRow("stored sizes") << QStringLiteral("500,261") << QList<int>{500, 261};
    QTest::newRow("a list, as a hand-written file reads") << QStringLiteral("list") << QList<int>{420, 341};
    QTest::newRow("not numbers") << QStringLiteral("wide,narrow") << QList<int>{200, 0};
    QTest::newRow("negative") << QStringLiteral("-5,300") << QList<int>{200, 0};
    QTest::newRow("one pane too many") << QStringLiteral("100,200,300") << QList<int>{200, 0};
    QTest::newRow("all collapsed") << QStringLiteral("0,0") << QList<int>{200, 0};
}

void TestSaveForm::splitterSizesComeBack()
{
    QFETCH(QString, stored);
    QFETCH(QList<int>, expected);
    const QString storedKey = QStringLiteral("Software/Quorval/Test/QuorvalMain/Panes");
    if (stored == QLatin1String("list"))
        QSettings().setValue(storedKey, QStringList{QStringLiteral("420"), QStringLiteral(" 341")});
    else if (!stored.isNull())
        QSettings().setValue(storedKey, stored);
    QList<int> shown;
    {
        Run run;
        auto *splitter = new QSplitter(run.window.get());
        splitter->setObjectName(QStringLiteral("Panes"));
        splitter->addWidget(new QWidget);
        splitter->addWidget(new QWidget);
        run.window->setCentralWidget(splitter);
        run.saveForm->addSplitter(splitter, 200);
        run.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
        shown = splitter->sizes();
        // Stored sizes that do not add up to the splitter's are scaled to it.
        QVERIFY2(std::abs(shown.first() - expected.first()) <= 3, qPrintable(QString::number(shown.first())));
        if (expected.last() != 0)
            QVERIFY2(std::abs(shown.last() - expected.last()) <= 3, qPrintable(QString::number(shown.last())));
        else
            QCOMPARE(shown.first() + shown.last() + splitter->handleWidth(), splitter->width());
        splitter->setSizes({300, splitter->width() - 300 - splitter->handleWidth()});
        shown = splitter->sizes();
    }
    // What the window showed last is stored when it goes.
    QCOMPARE(this->stored("Panes"), QStringLiteral("%1,%2").arg(shown.first()).arg(shown.last()));
}

QTEST_MAIN(TestSaveForm)
#include "tst_saveform.moc"
