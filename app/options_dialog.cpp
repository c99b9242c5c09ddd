#include "app/options_dialog.h"

#include "app/add_server_dialog.h"
#include "app/color_box.h"
#include "app/color_ref.h"
#include "app/game_notes.h"
#include "app/server_entry.h"
#include "app/settings.h"
#include "engine/enginedefault.h"
#include "ui/multilang.h"
#include "ui/prompts.h"
#include "ui/wordlists.h"
#include "ui/radiogroup.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TOptionsDialog::TOptionsDialog(TSettings &settings, const QString &serversFolder,
                               TAddServerDialog *addServerDialog, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_serversFolder(serversFolder)
    , m_addServerDialog(addServerDialog)
{
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("Quorval Options"));

    auto *serversGroup = named(new QGroupBox(QStringLiteral("Chess Servers"), this), "serversGroup");
    auto *serversLayout = new QHBoxLayout(serversGroup);
    m_serverList = named(new QListWidget(serversGroup), "serverList");
    serversLayout->addWidget(m_serverList, 1);
    auto *serverButtons = new QVBoxLayout;
    auto *addServerButton = named(new QPushButton(QStringLiteral("Add Server"), serversGroup), "addServerButton");
    auto *editServerButton = named(new QPushButton(QStringLiteral("Edit Server"), serversGroup), "editServerButton");
    auto *removeServerButton =
        named(new QPushButton(QStringLiteral("Remove Server"), serversGroup), "removeServerButton");
    for (QPushButton *button : {addServerButton, editServerButton, removeServerButton}) {
        button->setAutoDefault(false);
        serverButtons->addWidget(button);
    }
    serverButtons->addStretch();
    serversLayout->addLayout(serverButtons);

    m_showCommentsBox = named(new QCheckBox(QStringLiteral("Show Comments"), this), "showCommentsBox");
    m_figurineBox = named(new QCheckBox(QStringLiteral("Show figurine notation"), this), "figurineBox");
    m_onlyOngoingBox = named(new QCheckBox(QStringLiteral("Show only ongoing games"), this), "onlyOngoingBox");
    m_checkAtStartupBox = named(new QCheckBox(QStringLiteral("Check servers at startup"), this), "checkAtStartupBox");
    m_coordinatesBox =
        named(new QCheckBox(QStringLiteral("Show coordinates on the board"), this), "coordinatesBox");
    m_lastMoveBox = named(new QCheckBox(QStringLiteral("Mark the last move"), this), "lastMoveBox");
    m_kingInCheckBox = named(new QCheckBox(QStringLiteral("Mark a king in check"), this), "kingInCheckBox");

    auto *colors = new QGridLayout;
    m_lightSquaresColor = named(new TColorBox(this), "lightSquaresColor");
    m_darkSquaresColor = named(new TColorBox(this), "darkSquaresColor");
    auto *lightSquaresLabel = named(new QLabel(QStringLiteral("Light Squares"), this), "lightSquaresLabel");
    auto *darkSquaresLabel = named(new QLabel(QStringLiteral("Dark Squares"), this), "darkSquaresLabel");
    colors->addWidget(lightSquaresLabel, 0, 0);
    colors->addWidget(m_lightSquaresColor, 0, 1);
    colors->addWidget(darkSquaresLabel, 1, 0);
    colors->addWidget(m_darkSquaresColor, 1, 1);
    m_serverTimeout = named(new QSpinBox(this), "serverTimeout");
    m_serverTimeout->setRange(TSettings::MinServerTimeoutSeconds, TSettings::MaxServerTimeoutSeconds);
    auto *serverTimeoutLabel = named(new QLabel(QStringLiteral("Server time-out (seconds)"), this), "serverTimeoutLabel");
    serverTimeoutLabel->setBuddy(m_serverTimeout);
    colors->addWidget(serverTimeoutLabel, 2, 0);
    colors->addWidget(m_serverTimeout, 2, 1);
    // The background check and its alerts.
    m_pollServers = named(new QCheckBox(QStringLiteral("Check servers in the background and tell me of due moves"), this),
                          "pollServers");
    m_minutesToCheck = named(new QSpinBox(this), "minutesToCheck");
    m_minutesToCheck->setRange(TSettings::MinMinutesToCheck, 24 * 60);
    m_alertDaysLeft = named(new QSpinBox(this), "alertDaysLeft");
    m_alertDaysLeft->setRange(0, 365);
    auto *minutesToCheckLabel = named(new QLabel(QStringLiteral("Minutes between checks"), this), "minutesToCheckLabel");
    auto *alertDaysLeftLabel =
        named(new QLabel(QStringLiteral("Tell me when fewer days are left than"), this), "alertDaysLeftLabel");
    colors->addWidget(m_pollServers, 3, 0, 1, 2);
    colors->addWidget(minutesToCheckLabel, 4, 0);
    colors->addWidget(m_minutesToCheck, 4, 1);
    colors->addWidget(alertDaysLeftLabel, 5, 0);
    colors->addWidget(m_alertDaysLeft, 5, 1);

    m_languageChoice = named(new TRadioGroup(this), "languageChoice");
    m_languageChoice->setTitle(QStringLiteral("Active language"));
    m_languageChoice->setItems({QStringLiteral("English"), QStringLiteral("Español")});

    auto *engineRow = new QHBoxLayout;
    auto *engineLabel = named(new QLabel(QStringLiteral("Analysis engine"), this), "engineLabel");
    m_engineFile = named(new QLineEdit(this), "engineFile");
    m_engineFile->setReadOnly(true);
    auto *browseEngineButton = named(new QToolButton(this), "browseEngineButton");
    browseEngineButton->setText(QStringLiteral("..."));
    engineRow->addWidget(m_engineFile, 1);
    engineRow->addWidget(browseEngineButton);
    auto *argumentsRow = new QHBoxLayout;
    auto *engineArgumentsLabel = named(new QLabel(QStringLiteral("Arguments"), this), "engineArgumentsLabel");
    m_engineArguments = named(new QLineEdit(this), "engineArguments");
    engineArgumentsLabel->setBuddy(m_engineArguments);
    argumentsRow->addWidget(engineArgumentsLabel);
    argumentsRow->addWidget(m_engineArguments, 1);

    m_engineProtocol = named(new TRadioGroup(this), "engineProtocol");
    m_engineProtocol->setTitle(QStringLiteral("Engine type"));
    m_engineProtocol->setItems({QStringLiteral("Winboard II"), QStringLiteral("UCI")});

    auto *okButton = named(new QPushButton(QStringLiteral("O&K"), this), "okButton");
    okButton->setDefault(true);
    auto *cancelButton = named(new QPushButton(QStringLiteral("&Cancel"), this), "cancelButton");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(serversGroup);
    auto *middle = new QHBoxLayout;
    auto *checks = new QVBoxLayout;
    for (QCheckBox *box : {m_showCommentsBox, m_figurineBox, m_onlyOngoingBox, m_checkAtStartupBox})
        checks->addWidget(box);
    for (QCheckBox *box : {m_coordinatesBox, m_lastMoveBox, m_kingInCheckBox})
        checks->addWidget(box);
    checks->addLayout(colors);
    middle->addLayout(checks, 1);
    auto *radios = new QVBoxLayout;
    radios->addWidget(m_languageChoice);
    radios->addWidget(m_engineProtocol);
    middle->addLayout(radios);
    layout->addLayout(middle);
    layout->addWidget(engineLabel);
    layout->addLayout(engineRow);
    layout->addLayout(argumentsRow);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(addServerButton, &QPushButton::clicked, this, &TOptionsDialog::addServer);
    connect(editServerButton, &QPushButton::clicked, this, &TOptionsDialog::editSelectedServer);
    connect(removeServerButton, &QPushButton::clicked, this, &TOptionsDialog::removeSelectedServer);
    connect(browseEngineButton, &QToolButton::clicked, this, &TOptionsDialog::browseForEngine);
    connect(okButton, &QPushButton::clicked, this, &TOptionsDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_translator = createMultiLang(this, WordList::OptionsDialog);
    // While the dialog is open, its language is the one the radio group shows:
    // coming back from the add-server dialog keeps the preview.
    m_translator->followActivation(
        [this] { return isVisible() ? m_languageChoice->itemIndex() : int(m_settings.ActiveLanguage); });
    connect(m_languageChoice, &TRadioGroup::clicked, this, &TOptionsDialog::previewLanguage);
    if (m_addServerDialog) {
        connect(m_addServerDialog, &TAddServerDialog::serverSaved, this, [this] {
            refreshServerList();
            Q_EMIT serversChanged();
        });
    }
}

// The controls are filled each time the dialog opens; coming back from the
// add-server dialog keeps what the user changed but has not confirmed yet.
void TOptionsDialog::showEvent(QShowEvent *event)
{
    loadSettings();
    QDialog::showEvent(event);
}

void TOptionsDialog::previewLanguage(int language)
{
    m_translator->setActiveLanguage(language);
}

void TOptionsDialog::loadSettings()
{
    m_translator->setActiveLanguage(m_settings.ActiveLanguage);
    m_languageChoice->setItemIndex(m_settings.ActiveLanguage);
    m_showCommentsBox->setChecked(m_settings.ShowComments);
    m_figurineBox->setChecked(m_settings.UseFigurineNotation);
    m_onlyOngoingBox->setChecked(m_settings.ShowOnlyOngoingGames);
    m_checkAtStartupBox->setChecked(m_settings.CheckServersPeriodically);
    m_coordinatesBox->setChecked(m_settings.ShowCoordinates);
    m_lastMoveBox->setChecked(m_settings.ShowLastMove);
    m_kingInCheckBox->setChecked(m_settings.ShowCheck);
    m_lightSquaresColor->setSelected(ColorFromColorRef(m_settings.LightSquaresColor));
    m_darkSquaresColor->setSelected(ColorFromColorRef(m_settings.DarkSquaresColor));
    // A shipped engine that is missing is not offered; one that is installed is.
    const TEngineChoice engine =
        InstalledEngine({m_settings.EngineFileName, m_settings.EngineProtocol, m_settings.EngineArguments});
    m_engineFile->setText(engine.file);
    m_engineProtocol->setItemIndex(engine.protocol == 1 ? 1 : 0);
    m_engineArguments->setText(engine.arguments);
    m_serverTimeout->setValue(m_settings.ServerTimeoutSeconds);
    m_pollServers->setChecked(m_settings.PollServers);
    m_minutesToCheck->setValue(m_settings.MinutesToCheck);
    m_alertDaysLeft->setValue(m_settings.AlertDaysLeft);
    refreshServerList();
}

void TOptionsDialog::accept()
{
    m_settings.ShowComments = m_showCommentsBox->isChecked();
    m_settings.UseFigurineNotation = m_figurineBox->isChecked();
    m_settings.CheckServersPeriodically = m_checkAtStartupBox->isChecked();
    m_settings.ShowOnlyOngoingGames = m_onlyOngoingBox->isChecked();
    m_settings.LightSquaresColor = ColorRefFromColor(m_lightSquaresColor->selected());
    m_settings.DarkSquaresColor = ColorRefFromColor(m_darkSquaresColor->selected());
    m_settings.EngineFileName = m_engineFile->text();
    m_settings.ActiveLanguage = static_cast<std::uint8_t>(qMax(0, m_languageChoice->itemIndex()));
    m_settings.EngineProtocol = m_engineProtocol->itemIndex() == 1 ? 1 : 0;
    m_settings.ServerTimeoutSeconds = m_serverTimeout->value();
    m_settings.PollServers = m_pollServers->isChecked();
    m_settings.MinutesToCheck = m_minutesToCheck->value();
    m_settings.AlertDaysLeft = m_alertDaysLeft->value();
    m_settings.ShowCoordinates = m_coordinatesBox->isChecked();
    m_settings.ShowLastMove = m_lastMoveBox->isChecked();
    m_settings.ShowCheck = m_kingInCheckBox->isChecked();
    m_settings.EngineArguments = m_engineArguments->text().trimmed();
    QDialog::accept();
}

void TOptionsDialog::refreshServerList()
{
    m_serverList->clear();
    m_serverList->addItems(ListServerFiles(m_serversFolder));
}

void TOptionsDialog::addServer()
{
    m_addServerDialog->exec();
}

QString TOptionsDialog::selectedServer()
{
    // Only a row the player selected counts: Qt makes the first row current
    // when the list takes the focus with nothing selected.
    const QList<QListWidgetItem *> selected = m_serverList->selectedItems();
    if (selected.isEmpty()) {
        MessageDlg(m_translator->Translate(QStringLiteral("@selectserverfirst")), TPrompts::Icon::Information,
                   TPrompts::Button::Ok, this);
        return {};
    }
    return selected.front()->text();
}

void TOptionsDialog::editSelectedServer()
{
    const QString name = selectedServer();
    if (name.isEmpty())
        return;
    ServerEntry entry;
    try {
        entry = ReadServerFile(m_serversFolder, name);
    } catch (const std::runtime_error &) {
        MessageDlg(QStringLiteral("Error opening server file"), TPrompts::Icon::Error, TPrompts::Button::Ok, this);
        return;
    }
    m_addServerDialog->setEntry(entry);
    m_addServerDialog->exec();
}

void TOptionsDialog::removeSelectedServer()
{
    const QString name = selectedServer();
    if (name.isEmpty())
        return;
    if (MessageDlg(QStringLiteral("Are you sure you want to delete this server?\n\n") + name,
                   TPrompts::Icon::Confirmation, TPrompts::Button::Ok | TPrompts::Button::Cancel, this)
        != TPrompts::Button::Ok)
        return;
    QFile::remove(ServerFileName(m_serversFolder, name));
    // The player's notes on the server's games outlive it unless they say otherwise.
    const TGameNotes notes(QFileInfo(m_serversFolder).path());
    if (notes.hasNotes(name)
        && MessageDlg(m_translator->Translate(QStringLiteral("@keepnotes")), TPrompts::Icon::Confirmation,
                      TPrompts::Button::Yes | TPrompts::Button::No, this)
               == TPrompts::Button::No)
        notes.removeAll(name);
    refreshServerList();
    Q_EMIT serversChanged();
}

void TOptionsDialog::browseForEngine()
{
#ifdef Q_OS_WIN
    const QString filter = QStringLiteral("Engine files (*.exe)");
#else
    const QString filter = QStringLiteral("Engine files (*)");
#endif
    const QString folder = QFileInfo(m_settings.EngineFileName).absolutePath();
    const QString chosen = TPrompts::instance().openFileName(windowTitle(), folder, filter, this);
    if (chosen.isEmpty())
        return;
    // Arguments filled in for the engine left are no longer wanted.
    QString arguments = m_engineArguments->text().trimmed();
    if (arguments == ArgumentsFor(m_engineFile->text(), {}))
        arguments.clear();
    m_engineFile->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
    detectEngineProtocol();
    m_engineArguments->setText(ArgumentsFor(m_engineFile->text(), arguments));
}

void TOptionsDialog::detectEngineProtocol()
{
    m_engineProtocol->setItemIndex(fileMentionsUciOk(m_engineFile->text()) ? 1 : 0);
}

bool TOptionsDialog::fileMentionsUciOk(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray needle = QByteArrayLiteral("uciok");
    QByteArray carry;
    while (!file.atEnd()) {
        const QByteArray piece = file.read(1 << 20);
        if (piece.isEmpty())
            break;
        const QByteArray chunk = carry + piece;
        if (chunk.contains(needle))
            return true;
        carry = chunk.right(needle.size() - 1);
    }
    return false;
}
