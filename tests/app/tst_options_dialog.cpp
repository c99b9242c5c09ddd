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
        const auto *list = m_options->findChild<QListWidget *>("serverList");
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
        QVERIFY(!child<QCheckBox>(m_options.get(), "showCommentsBox")->isChecked());
        QVERIFY(child<QCheckBox>(m_options.get(), "figurineBox")->isChecked());
        QCOMPARE(child<TRadioGroup>(m_options.get(), "languageChoice")->itemIndex(), 1);
        QCOMPARE(child<TRadioGroup>(m_options.get(), "engineProtocol")->itemIndex(), 1);
        QCOMPARE(child<TColorBox>(m_options.get(), "darkSquaresColor")->selected(), QColor(0x56, 0x34, 0x12));
        QCOMPARE(child<QLineEdit>(m_options.get(), "engineFile")->text(), m_settings.EngineFileName);
        QVERIFY(child<QLineEdit>(m_options.get(), "engineFile")->isReadOnly());
        QCOMPARE(child<QLineEdit>(m_options.get(), "engineArguments")->text(), "--threads 2");

        child<QCheckBox>(m_options.get(), "showCommentsBox")->setChecked(true);
        click(m_options.get(), "cancelButton");
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
        m_options->previewLanguage(language);
        QCOMPARE(child<QCheckBox>(m_options.get(), "coordinatesBox")->text(), texts.at(0));
        QCOMPARE(child<QCheckBox>(m_options.get(), "lastMoveBox")->text(), texts.at(1));
        QCOMPARE(child<QCheckBox>(m_options.get(), "kingInCheckBox")->text(), texts.at(2));
        click(m_options.get(), "cancelButton");
    }

    void okCopiesEveryControl()
    {
        TRecordingPrompts prompts;
        m_options->show();
        child<QCheckBox>(m_options.get(), "showCommentsBox")->setChecked(false);
        child<QCheckBox>(m_options.get(), "figurineBox")->setChecked(false);
        child<QCheckBox>(m_options.get(), "onlyOngoingBox")->setChecked(false);
        child<QCheckBox>(m_options.get(), "checkAtStartupBox")->setChecked(false);
        for (const char *aid : {"coordinatesBox", "lastMoveBox", "kingInCheckBox"}) {
            QVERIFY(child<QCheckBox>(m_options.get(), aid)->isChecked());
            child<QCheckBox>(m_options.get(), aid)->setChecked(false);
        }
        child<TRadioGroup>(m_options.get(), "languageChoice")->setItemIndex(1);
        child<TRadioGroup>(m_options.get(), "engineProtocol")->setItemIndex(1);
        child<QLineEdit>(m_options.get(), "engineArguments")->setText(" -q ");
        // A colour of the user's own through the custom entry.
        prompts.colorAnswers.enqueue(QColor(10, 20, 30));
        auto *light = child<TColorBox>(m_options.get(), "lightSquaresColor");
        light->setCurrentIndex(0);
        Q_EMIT light->activated(0);
        QCOMPARE(prompts.colorRequests.size(), 1);
        QCOMPARE(light->selected(), QColor(10, 20, 30));
        click(m_options.get(), "okButton");
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
        auto *dark = child<TColorBox>(m_options.get(), "darkSquaresColor");
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
        QVERIFY(TOptionsDialog::fileMentionsUciOk(m_dir.filePath("uci-engine")));
        QVERIFY(!TOptionsDialog::fileMentionsUciOk(m_dir.filePath("wb-engine")));
        QVERIFY(!TOptionsDialog::fileMentionsUciOk(m_dir.filePath("tiny")));
        QVERIFY(!TOptionsDialog::fileMentionsUciOk(m_dir.filePath("missing")));

        m_options->show();
        auto *type = child<TRadioGroup>(m_options.get(), "engineProtocol");
        prompts.fileAnswers.enqueue(m_dir.filePath("uci-engine"));
        click(m_options.get(), "browseEngineButton");
        QCOMPARE(prompts.fileRequests.last().folder, QFileInfo(m_settings.EngineFileName).absolutePath());
        QCOMPARE(child<QLineEdit>(m_options.get(), "engineFile")->text(), m_dir.filePath("uci-engine"));
        QCOMPARE(type->itemIndex(), 1);
        prompts.fileAnswers.enqueue(m_dir.filePath("wb-engine"));
        click(m_options.get(), "browseEngineButton");
        QCOMPARE(type->itemIndex(), 0);
        // Cancelling the file dialog changes nothing.
        click(m_options.get(), "browseEngineButton");
        QCOMPARE(child<QLineEdit>(m_options.get(), "engineFile")->text(), m_dir.filePath("wb-engine"));
        if (QFileInfo::exists("/usr/games/stockfish"))
            QVERIFY(TOptionsDialog::fileMentionsUciOk("/usr/games/stockfish"));
    }

    void offersAnInstalledEngineForTheMissingShippedOne()
    {
        TRecordingPrompts prompts;
        m_options->show();
        const TEngineChoice installed = DefaultEngine(m_dir.path() + "/");
        QCOMPARE(child<QLineEdit>(m_options.get(), "engineFile")->text(), installed.file);
        QCOMPARE(child<TRadioGroup>(m_options.get(), "engineProtocol")->itemIndex(), installed.protocol);
        QCOMPARE(child<QLineEdit>(m_options.get(), "engineArguments")->text(), installed.arguments);
        if (QFileInfo::exists("/usr/games/stockfish"))
            QCOMPARE(installed.file, "/usr/games/stockfish");
        click(m_options.get(), "okButton");
        QCOMPARE(m_settings.EngineFileName, installed.file);
        QCOMPARE(m_settings.EngineProtocol, installed.protocol);
    }

    void gnuchessGetsItsArgument()
    {
        TRecordingPrompts prompts;
        writeAll(m_dir.filePath("gnuchess"), "feature setboard=1");
        writeAll(m_dir.filePath("wb-engine"), "feature setboard=1");
        m_options->show();
        auto *arguments = child<QLineEdit>(m_options.get(), "engineArguments");
        arguments->clear();
        prompts.fileAnswers.enqueue(m_dir.filePath("gnuchess"));
        click(m_options.get(), "browseEngineButton");
        QCOMPARE(arguments->text(), "-x");
        // Leaving gnuchess takes its argument away; what the user wrote stays.
        prompts.fileAnswers.enqueue(m_dir.filePath("wb-engine"));
        click(m_options.get(), "browseEngineButton");
        QCOMPARE(arguments->text(), "");
        arguments->setText("-x -e");
        prompts.fileAnswers.enqueue(m_dir.filePath("gnuchess"));
        click(m_options.get(), "browseEngineButton");
        QCOMPARE(arguments->text(), "-x -e");
    }

    void serverButtons()
    {
        TRecordingPrompts prompts;
        QSignalSpy changed(m_options.get(), &TOptionsDialog::serversChanged);
        m_options->show();

        WhenModal([this](QWidget *dialog) {
            QCOMPARE(dialog, m_addServer.get());
            child<QLineEdit>(dialog, "nameEdit")->setText("Local");
            child<QLineEdit>(dialog, "serviceUrlEdit")->setText("http://127.0.0.1:1/XfccBasic.asmx");
            child<QLineEdit>(dialog, "userNameEdit")->setText("alice");
            child<QLineEdit>(dialog, "passwordEdit")->setText("pw");
            click(dialog, "okButton");
        });
        click(m_options.get(), "addServerButton");
        QCOMPARE(listed(), QStringList{"Local"});
        QCOMPARE(changed.count(), 1);

        // Editing fills the dialog from the file; a new name adds a second server.
        writeAll(m_dir.filePath("servers/Other"), "http://o/XfccBasic.asmx\r\nbob\r\n");
        m_options->refreshServerList();
        auto *list = child<QListWidget>(m_options.get(), "serverList");
        list->setCurrentItem(list->findItems("Other", Qt::MatchExactly).first());
        WhenModal([this](QWidget *dialog) {
            QCOMPARE(child<QLineEdit>(dialog, "nameEdit")->text(), QStringLiteral("Other"));
            QCOMPARE(child<QLineEdit>(dialog, "userNameEdit")->text(), QStringLiteral("bob"));
            QCOMPARE(child<QLineEdit>(dialog, "passwordEdit")->text(), QString());
            child<QLineEdit>(dialog, "passwordEdit")->setText("pw2");
            click(dialog, "okButton");
        });
        click(m_options.get(), "editServerButton");
        QCOMPARE(ReadServerFile(m_dir.filePath("servers"), "Other").Password, QStringLiteral("pw2"));

        // With nothing selected, Edit and Remove act on no server, even
        // where the list has a current row.
        list->clearSelection();
        list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        for (const char *button : {"removeServerButton", "editServerButton"}) {
            click(m_options.get(), button);
            QCOMPARE(prompts.messages.last().text, QStringLiteral("Select a server first"));
        }
        QCOMPARE(listed(), (QStringList{"Local", "Other"}));

        // Removing asks first, naming the server; Cancel keeps the file.
        list->setCurrentItem(list->findItems("Local", Qt::MatchExactly).first());
        prompts.buttonAnswers.enqueue(TPrompts::Button::Cancel);
        click(m_options.get(), "removeServerButton");
        QCOMPARE(prompts.messages.last().text, QStringLiteral("Are you sure you want to delete this server?\n\nLocal"));
        QCOMPARE(prompts.messages.last().icon, TPrompts::Icon::Confirmation);
        QCOMPARE(listed(), (QStringList{"Local", "Other"}));
        list->setCurrentItem(list->findItems("Local", Qt::MatchExactly).first());
        click(m_options.get(), "removeServerButton");
        QCOMPARE(listed(), QStringList{"Other"});

        // A server file that cannot be read.
        QVERIFY(QDir().mkpath(m_dir.filePath("servers/Broken")));
        list->addItem("Broken");
        list->setCurrentRow(list->count() - 1);
        const int boxes = prompts.messages.size();
        click(m_options.get(), "editServerButton");
        QCOMPARE(prompts.messages.size(), boxes + 1);
        QCOMPARE(prompts.messages.last().text, QStringLiteral("Error opening server file"));
        QDir(m_dir.filePath("servers/Broken")).removeRecursively();
    }

    void theLanguagePreviewOutlivesTheAddServerDialog()
    {
        TRecordingPrompts prompts;
        m_options->show();
        QVERIFY(QTest::qWaitForWindowActive(m_options.get()));
        child<TRadioGroup>(m_options.get(), "languageChoice")->setItemIndex(1);
        Q_EMIT child<TRadioGroup>(m_options.get(), "languageChoice")->clicked(1);
        QCOMPARE(m_options->windowTitle(), QStringLiteral("Opciones de Quorval"));
        WhenModal([this](QWidget *dialog) { click(dialog, "cancelButton"); });
        click(m_options.get(), "addServerButton");
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
            click(dialog, "cancelButton");
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
