#include "app/add_server_dialog.h"
#include "app/color_box.h"
#include "app/general_error.h"
#include "app/options_dialog.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "app/settings.h"
#include "engine/enginedefault.h"
#include "recording_prompts.h"
#include "when_modal.h"
#include "ui/radiogroup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestOptionsDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    TSettings m_settings;
    std::unique_ptr<TAddServerDialog> m_addServer;
    std::unique_ptr<TOptionsDialog> m_options;

    template <typename T>
    T *child(QWidget *parent, const char *name)
    {
        T *widget = parent->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    void click(QWidget *parent, const char *name) { QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton); }

    static void writeAll(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList listed() const
    {
        QStringList names;
        const auto *list = m_options->findChild<QListWidget *>("ListBox1");
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        names.sort();
        return names;
    }

private Q_SLOTS:
    void init()
    {
        m_settings = TSettings::defaults(m_dir.path() + "/");
        QDir().mkpath(m_dir.filePath("servers"));
        for (const QString &name : ListServerFiles(m_dir.filePath("servers")))
            QFile::remove(m_dir.filePath("servers/" + name));
        m_addServer = std::make_unique<TAddServerDialog>(m_dir.filePath("servers"), [] { return 0; });
        m_options = std::make_unique<TOptionsDialog>(m_settings, m_dir.filePath("servers"), m_addServer.get());
    }

    void showsTheSettingsAndKeepsThemOnCancel()
    {
        TRecordingPrompts prompts;
        m_settings.ShowComments = false;
        m_settings.ActiveLanguage = 1;
        m_settings.EngineProtocol = 1;
        m_settings.DarkSquaresColor = 0x123456;
        m_settings.EngineFileName = m_dir.filePath("my-engine");
        m_settings.EngineArguments = "--threads 2";
        m_options->show();
        QVERIFY(!child<QCheckBox>(m_options.get(), "EditShowComments")->isChecked());
        QVERIFY(child<QCheckBox>(m_options.get(), "EditFigurine")->isChecked());
        QCOMPARE(child<TRadioGroup>(m_options.get(), "EditLAnguage")->itemIndex(), 1);
        QCOMPARE(child<TRadioGroup>(m_options.get(), "EditEngineType")->itemIndex(), 1);
        QCOMPARE(child<TColorBox>(m_options.get(), "ColorBox2")->selected(), QColor(0x56, 0x34, 0x12));
        QCOMPARE(child<QLineEdit>(m_options.get(), "EditEngine")->text(), m_settings.EngineFileName);
        QVERIFY(child<QLineEdit>(m_options.get(), "EditEngine")->isReadOnly());
        QCOMPARE(child<QLineEdit>(m_options.get(), "EditEngineArguments")->text(), "--threads 2");

        child<QCheckBox>(m_options.get(), "EditShowComments")->setChecked(true);
        click(m_options.get(), "CancelBtn");
        QVERIFY(!m_settings.ShowComments);
        QCOMPARE(m_options->result(), int(QDialog::Rejected));
    }

    void theBoardAidsSpeakBothLanguages_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << 0 << QStringList{"Show coordinates on the board", "Mark the last move",
                                                     "Mark a king in check"};
        QTest::newRow("Spanish") << 1 << QStringList{"Mostrar coordenadas en el tablero", "Marcar la última jugada",
                                                     "Marcar el rey en jaque"};
    }
    void theBoardAidsSpeakBothLanguages()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        m_options->show();
        m_options->EditLAnguageClick(language);
        QCOMPARE(child<QCheckBox>(m_options.get(), "EditShowCoordinates")->text(), texts.at(0));
        QCOMPARE(child<QCheckBox>(m_options.get(), "EditShowLastMove")->text(), texts.at(1));
        QCOMPARE(child<QCheckBox>(m_options.get(), "EditShowCheck")->text(), texts.at(2));
        click(m_options.get(), "CancelBtn");
    }

    void okCopiesEveryControl()
    {
        TRecordingPrompts prompts;
        m_options->show();
        child<QCheckBox>(m_options.get(), "EditShowComments")->setChecked(false);
        child<QCheckBox>(m_options.get(), "EditFigurine")->setChecked(false);
        child<QCheckBox>(m_options.get(), "EditShowOngoing")->setChecked(false);
        child<QCheckBox>(m_options.get(), "EditCheckServers")->setChecked(false);
        for (const char *aid : {"EditShowCoordinates", "EditShowLastMove", "EditShowCheck"}) {
            QVERIFY(child<QCheckBox>(m_options.get(), aid)->isChecked());
            child<QCheckBox>(m_options.get(), aid)->setChecked(false);
        }
        child<TRadioGroup>(m_options.get(), "EditLAnguage")->setItemIndex(1);
        child<TRadioGroup>(m_options.get(), "EditEngineType")->setItemIndex(1);
        child<QLineEdit>(m_options.get(), "EditEngineArguments")->setText(" -q ");
        // A colour of the user's own through the custom entry.
        prompts.colorAnswers.enqueue(QColor(10, 20, 30));
        auto *light = child<TColorBox>(m_options.get(), "ColorBox1");
        light->setCurrentIndex(0);
        Q_EMIT light->activated(0);
        QCOMPARE(prompts.colorRequests.size(), 1);
        QCOMPARE(light->selected(), QColor(10, 20, 30));
        click(m_options.get(), "OKBtn");
        QCOMPARE(m_options->result(), int(QDialog::Accepted));
        QVERIFY(!m_settings.ShowComments && !m_settings.UseFigurineNotation);
        QVERIFY(!m_settings.ShowOnlyOngoingGames && !m_settings.CheckServersPeriodically);
        QVERIFY(!m_settings.ShowCoordinates && !m_settings.ShowLastMove && !m_settings.ShowCheck);
        QCOMPARE(m_settings.ActiveLanguage, 1);
        QCOMPARE(m_settings.EngineProtocol, 1);
        QCOMPARE(m_settings.EngineArguments, "-q");
        QCOMPARE(m_settings.LightSquaresColor, 30 << 16 | 20 << 8 | 10);
        QCOMPARE(m_settings.DarkSquaresColor, 0x808080);
    }

    void aCancelledCustomColourKeepsTheOldOne()
    {
        TRecordingPrompts prompts;
        m_options->show();
        auto *dark = child<TColorBox>(m_options.get(), "ColorBox2");
        dark->setCurrentIndex(0);
        Q_EMIT dark->activated(0);
        QCOMPARE(dark->selected(), QColor(0x80, 0x80, 0x80));
    }

    void guessesTheEngineType()
    {
        TRecordingPrompts prompts;
        writeAll(m_dir.filePath("uci-engine"), QByteArray(3 << 20, 'x') + "uc" + QByteArray("iok"));
        writeAll(m_dir.filePath("wb-engine"), "feature setboard=1 uciо");
        writeAll(m_dir.filePath("tiny"), "uci");
        QVERIFY(TOptionsDialog::FileMentionsUciOk(m_dir.filePath("uci-engine")));
        QVERIFY(!TOptionsDialog::FileMentionsUciOk(m_dir.filePath("wb-engine")));
        QVERIFY(!TOptionsDialog::FileMentionsUciOk(m_dir.filePath("tiny")));
        QVERIFY(!TOptionsDialog::FileMentionsUciOk(m_dir.filePath("missing")));

        m_options->show();
        auto *type = child<TRadioGroup>(m_options.get(), "EditEngineType");
        prompts.fileAnswers.enqueue(m_dir.filePath("uci-engine"));
        click(m_options.get(), "SpeedButton1");
        QCOMPARE(prompts.fileRequests.last().folder, QFileInfo(m_settings.EngineFileName).absolutePath());
        QCOMPARE(child<QLineEdit>(m_options.get(), "EditEngine")->text(), m_dir.filePath("uci-engine"));
        QCOMPARE(type->itemIndex(), 1);
        prompts.fileAnswers.enqueue(m_dir.filePath("wb-engine"));
        click(m_options.get(), "SpeedButton1");
        QCOMPARE(type->itemIndex(), 0);
        // Cancelling the file dialog changes nothing.
        click(m_options.get(), "SpeedButton1");
        QCOMPARE(child<QLineEdit>(m_options.get(), "EditEngine")->text(), m_dir.filePath("wb-engine"));
        if (QFileInfo::exists("/usr/games/stockfish"))
            QVERIFY(TOptionsDialog::FileMentionsUciOk("/usr/games/stockfish"));
    }

    void offersAnInstalledEngineForTheMissingShippedOne()
    {
        TRecordingPrompts prompts;
        m_options->show();
        const TEngineChoice installed = DefaultEngine(m_dir.path() + "/");
        QCOMPARE(child<QLineEdit>(m_options.get(), "EditEngine")->text(), installed.file);
        QCOMPARE(child<TRadioGroup>(m_options.get(), "EditEngineType")->itemIndex(), installed.protocol);
        QCOMPARE(child<QLineEdit>(m_options.get(), "EditEngineArguments")->text(), installed.arguments);
        if (QFileInfo::exists("/usr/games/stockfish"))
            QCOMPARE(installed.file, "/usr/games/stockfish");
        click(m_options.get(), "OKBtn");
        QCOMPARE(m_settings.EngineFileName, installed.file);
        QCOMPARE(m_settings.EngineProtocol, installed.protocol);
    }

    void gnuchessGetsItsArgument()
    {
        TRecordingPrompts prompts;
        writeAll(m_dir.filePath("gnuchess"), "feature setboard=1");
        writeAll(m_dir.filePath("wb-engine"), "feature setboard=1");
        m_options->show();
        auto *arguments = child<QLineEdit>(m_options.get(), "EditEngineArguments");
        arguments->clear();
        prompts.fileAnswers.enqueue(m_dir.filePath("gnuchess"));
        click(m_options.get(), "SpeedButton1");
        QCOMPARE(arguments->text(), "-x");
        // Leaving gnuchess takes its argument away; what the user wrote stays.
        prompts.fileAnswers.enqueue(m_dir.filePath("wb-engine"));
        click(m_options.get(), "SpeedButton1");
        QCOMPARE(arguments->text(), "");
        arguments->setText("-x -e");
        prompts.fileAnswers.enqueue(m_dir.filePath("gnuchess"));
        click(m_options.get(), "SpeedButton1");
        QCOMPARE(arguments->text(), "-x -e");
    }

    void serverButtons()
    {
        TRecordingPrompts prompts;
        QSignalSpy changed(m_options.get(), &TOptionsDialog::serversChanged);
        m_options->show();

        WhenModal([this](QWidget *dialog) {
            QCOMPARE(dialog, m_addServer.get());
            child<QLineEdit>(dialog, "Edit1")->setText("Local");
            child<QLineEdit>(dialog, "Edit2")->setText("http://127.0.0.1:1/XfccBasic.asmx");
            child<QLineEdit>(dialog, "Edit3")->setText("alice");
            child<QLineEdit>(dialog, "Edit4")->setText("pw");
            click(dialog, "Button1");
        });
        click(m_options.get(), "Button1");
        QCOMPARE(listed(), QStringList{"Local"});
        QCOMPARE(changed.count(), 1);

        // Editing fills the dialog from the file; a new name adds a second server.
        writeAll(m_dir.filePath("servers/Other"), "http://o/XfccBasic.asmx\r\nbob\r\n");
        m_options->RefreshList();
        auto *list = child<QListWidget>(m_options.get(), "ListBox1");
        list->setCurrentItem(list->findItems("Other", Qt::MatchExactly).first());
        WhenModal([this](QWidget *dialog) {
            QCOMPARE(child<QLineEdit>(dialog, "Edit1")->text(), QStringLiteral("Other"));
            QCOMPARE(child<QLineEdit>(dialog, "Edit3")->text(), QStringLiteral("bob"));
            QCOMPARE(child<QLineEdit>(dialog, "Edit4")->text(), QString());
            child<QLineEdit>(dialog, "Edit4")->setText("pw2");
            click(dialog, "Button1");
        });
        click(m_options.get(), "Button2");
        QCOMPARE(ReadServerFile(m_dir.filePath("servers"), "Other").Password, QStringLiteral("pw2"));

        // With nothing selected, Edit and Remove act on no server, even
        // where the list has a current row.
        list->clearSelection();
        list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        for (const char *button : {"Button3", "Button2"}) {
            click(m_options.get(), button);
            QCOMPARE(prompts.messages.last().text, QStringLiteral("Select a server first"));
        }
        QCOMPARE(listed(), (QStringList{"Local", "Other"}));

        // Removing asks first, naming the server; Cancel keeps the file.
        list->setCurrentItem(list->findItems("Local", Qt::MatchExactly).first());
        prompts.buttonAnswers.enqueue(TPrompts::Button::Cancel);
        click(m_options.get(), "Button3");
        QCOMPARE(prompts.messages.last().text, QStringLiteral("Are you sure you want to delete this server?\n\nLocal"));
        QCOMPARE(prompts.messages.last().icon, TPrompts::Icon::Confirmation);
        QCOMPARE(listed(), (QStringList{"Local", "Other"}));
        list->setCurrentItem(list->findItems("Local", Qt::MatchExactly).first());
        click(m_options.get(), "Button3");
        QCOMPARE(listed(), QStringList{"Other"});

        // A server file that cannot be read.
        QVERIFY(QDir().mkpath(m_dir.filePath("servers/Broken")));
        list->addItem("Broken");
        list->setCurrentRow(list->count() - 1);
        const int boxes = prompts.messages.size();
        click(m_options.get(), "Button2");
        QCOMPARE(prompts.messages.size(), boxes + 1);
        QCOMPARE(prompts.messages.last().text, QStringLiteral("Error opening server file"));
        QDir(m_dir.filePath("servers/Broken")).removeRecursively();
    }

    void theLanguagePreviewOutlivesTheAddServerDialog()
    {
        TRecordingPrompts prompts;
        m_options->show();
        QVERIFY(QTest::qWaitForWindowActive(m_options.get()));
        child<TRadioGroup>(m_options.get(), "EditLAnguage")->setItemIndex(1);
        Q_EMIT child<TRadioGroup>(m_options.get(), "EditLAnguage")->clicked(1);
        QCOMPARE(m_options->windowTitle(), QStringLiteral("Opciones de Quorval"));
        WhenModal([this](QWidget *dialog) { click(dialog, "Button2"); });
        click(m_options.get(), "Button1");
        m_options->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_options.get()));
        QCOMPARE(m_options->windowTitle(), QStringLiteral("Opciones de Quorval"));
        QCOMPARE(m_settings.ActiveLanguage, 0);
    }

    void aFirstRunOpensTheOptionsDialogOnce()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        TQuorvalMain window(TProgramContext::forFolder(dir.path()));
        window.createDialogs();
        int opened = 0;
        WhenModal([&](QWidget *dialog) {
            ++opened;
            QCOMPARE(dialog, static_cast<QWidget *>(window.optionsDialog()));
            click(dialog, "CancelBtn");
        });
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(opened, 1, 20000);
        window.activateWindow();
        QTest::qWait(50);
        QCOMPARE(opened, 1);
        window.close();
        QVERIFY(QFile::exists(dir.filePath("quorval.ini")));
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestOptionsDialog test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_options_dialog.moc"
