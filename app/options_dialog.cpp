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

    auto *servers = named(new QGroupBox(QStringLiteral("Chess Servers"), this), "GroupBox1");
    auto *serversLayout = new QHBoxLayout(servers);
    ListBox1 = named(new QListWidget(servers), "ListBox1");
    serversLayout->addWidget(ListBox1, 1);
    auto *serverButtons = new QVBoxLayout;
    auto *add = named(new QPushButton(QStringLiteral("Add Server"), servers), "Button1");
    auto *edit = named(new QPushButton(QStringLiteral("Edit Server"), servers), "Button2");
    auto *remove = named(new QPushButton(QStringLiteral("Remove Server"), servers), "Button3");
    for (QPushButton *button : {add, edit, remove}) {
        button->setAutoDefault(false);
        serverButtons->addWidget(button);
    }
    serverButtons->addStretch();
    serversLayout->addLayout(serverButtons);

    EditShowComments = named(new QCheckBox(QStringLiteral("Show Comments"), this), "EditShowComments");
    EditFigurine = named(new QCheckBox(QStringLiteral("Show figurine notation"), this), "EditFigurine");
    EditShowOngoing = named(new QCheckBox(QStringLiteral("Show only ongoing games"), this), "EditShowOngoing");
    EditCheckServers = named(new QCheckBox(QStringLiteral("Check servers at startup"), this), "EditCheckServers");
    EditShowCoordinates =
        named(new QCheckBox(QStringLiteral("Show coordinates on the board"), this), "EditShowCoordinates");
    EditShowLastMove = named(new QCheckBox(QStringLiteral("Mark the last move"), this), "EditShowLastMove");
    EditShowCheck = named(new QCheckBox(QStringLiteral("Mark a king in check"), this), "EditShowCheck");

    auto *colors = new QGridLayout;
    ColorBox1 = named(new TColorBox(this), "ColorBox1");
    ColorBox2 = named(new TColorBox(this), "ColorBox2");
    auto *label1 = named(new QLabel(QStringLiteral("Light Squares"), this), "Label1");
    auto *label2 = named(new QLabel(QStringLiteral("Dark Squares"), this), "Label2");
    colors->addWidget(label1, 0, 0);
    colors->addWidget(ColorBox1, 0, 1);
    colors->addWidget(label2, 1, 0);
    colors->addWidget(ColorBox2, 1, 1);
    m_serverTimeout = named(new QSpinBox(this), "EditServerTimeout");
    m_serverTimeout->setRange(TSettings::MinServerTimeoutSeconds, TSettings::MaxServerTimeoutSeconds);
    auto *timeoutLabel = named(new QLabel(QStringLiteral("Server time-out (seconds)"), this), "LabelServerTimeout");
    timeoutLabel->setBuddy(m_serverTimeout);
    colors->addWidget(timeoutLabel, 2, 0);
    colors->addWidget(m_serverTimeout, 2, 1);
    // The background check and its alerts.
    m_pollServers = named(new QCheckBox(QStringLiteral("Check servers in the background and tell me of due moves"), this),
                          "EditPollServers");
    m_minutesToCheck = named(new QSpinBox(this), "EditMinutesToCheck");
    m_minutesToCheck->setRange(TSettings::MinMinutesToCheck, 24 * 60);
    m_alertDaysLeft = named(new QSpinBox(this), "EditAlertDaysLeft");
    m_alertDaysLeft->setRange(0, 365);
    auto *minutesLabel = named(new QLabel(QStringLiteral("Minutes between checks"), this), "LabelMinutesToCheck");
    auto *daysLabel = named(new QLabel(QStringLiteral("Tell me when fewer days are left than"), this), "LabelAlertDaysLeft");
    colors->addWidget(m_pollServers, 3, 0, 1, 2);
    colors->addWidget(minutesLabel, 4, 0);
    colors->addWidget(m_minutesToCheck, 4, 1);
    colors->addWidget(daysLabel, 5, 0);
    colors->addWidget(m_alertDaysLeft, 5, 1);

    EditLAnguage = named(new TRadioGroup(this), "EditLAnguage");
    EditLAnguage->setTitle(QStringLiteral("Active language"));
    EditLAnguage->setItems({QStringLiteral("English"), QStringLiteral("Español")});

    auto *engineRow = new QHBoxLayout;
    auto *label3 = named(new QLabel(QStringLiteral("Analysis engine"), this), "Label3");
    EditEngine = named(new QLineEdit(this), "EditEngine");
    EditEngine->setReadOnly(true);
    auto *browse = named(new QToolButton(this), "SpeedButton1");
    browse->setText(QStringLiteral("..."));
    engineRow->addWidget(EditEngine, 1);
    engineRow->addWidget(browse);
    auto *argumentsRow = new QHBoxLayout;
    auto *argumentsLabel = named(new QLabel(QStringLiteral("Arguments"), this), "LabelEngineArguments");
    EditEngineArguments = named(new QLineEdit(this), "EditEngineArguments");
    argumentsLabel->setBuddy(EditEngineArguments);
    argumentsRow->addWidget(argumentsLabel);
    argumentsRow->addWidget(EditEngineArguments, 1);

    EditEngineType = named(new TRadioGroup(this), "EditEngineType");
    EditEngineType->setTitle(QStringLiteral("Engine type"));
    EditEngineType->setItems({QStringLiteral("Winboard II"), QStringLiteral("UCI")});

    auto *ok = named(new QPushButton(QStringLiteral("O&K"), this), "OKBtn");
    ok->setDefault(true);
    auto *cancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "CancelBtn");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(servers);
    auto *middle = new QHBoxLayout;
    auto *checks = new QVBoxLayout;
    for (QCheckBox *box : {EditShowComments, EditFigurine, EditShowOngoing, EditCheckServers})
        checks->addWidget(box);
    for (QCheckBox *box : {EditShowCoordinates, EditShowLastMove, EditShowCheck})
        checks->addWidget(box);
    checks->addLayout(colors);
    middle->addLayout(checks, 1);
    auto *radios = new QVBoxLayout;
    radios->addWidget(EditLAnguage);
    radios->addWidget(EditEngineType);
    middle->addLayout(radios);
    layout->addLayout(middle);
    layout->addWidget(label3);
    layout->addLayout(engineRow);
    layout->addLayout(argumentsRow);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(add, &QPushButton::clicked, this, &TOptionsDialog::Button1Click);
    connect(edit, &QPushButton::clicked, this, &TOptionsDialog::Button2Click);
    connect(remove, &QPushButton::clicked, this, &TOptionsDialog::Button3Click);
    connect(browse, &QToolButton::clicked, this, &TOptionsDialog::SpeedButton1Click);
    connect(ok, &QPushButton::clicked, this, &TOptionsDialog::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    MultiLang1 = createMultiLang(this, WordList::OptionsDialog);
    // While the dialog is open, its language is the one the radio group shows:
    // coming back from the add-server dialog keeps the preview.
    MultiLang1->followActivation([this] { return isVisible() ? EditLAnguage->itemIndex() : int(m_settings.ActiveLanguage); });
    connect(EditLAnguage, &TRadioGroup::clicked, this, &TOptionsDialog::EditLAnguageClick);
    if (m_addServerDialog) {
        connect(m_addServerDialog, &TAddServerDialog::serverSaved, this, [this] {
            RefreshList();
            Q_EMIT serversChanged();
        });
    }
}

// The controls are filled each time the dialog opens; coming back from the
// add-server dialog keeps what the user changed but has not confirmed yet.
void TOptionsDialog::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TOptionsDialog::EditLAnguageClick(int language)
{
    MultiLang1->setActiveLanguage(language);
}

void TOptionsDialog::FormActivate()
{
    MultiLang1->setActiveLanguage(m_settings.ActiveLanguage);
    EditLAnguage->setItemIndex(m_settings.ActiveLanguage);
    EditShowComments->setChecked(m_settings.ShowComments);
    EditFigurine->setChecked(m_settings.UseFigurineNotation);
    EditShowOngoing->setChecked(m_settings.ShowOnlyOngoingGames);
    EditCheckServers->setChecked(m_settings.CheckServersPeriodically);
    EditShowCoordinates->setChecked(m_settings.ShowCoordinates);
    EditShowLastMove->setChecked(m_settings.ShowLastMove);
    EditShowCheck->setChecked(m_settings.ShowCheck);
    ColorBox1->setSelected(ColorFromColorRef(m_settings.LightSquaresColor));
    ColorBox2->setSelected(ColorFromColorRef(m_settings.DarkSquaresColor));
    // A shipped engine that is missing is not offered; one that is installed is.
    const TEngineChoice engine =
        InstalledEngine({m_settings.EngineFileName, m_settings.EngineProtocol, m_settings.EngineArguments});
    EditEngine->setText(engine.file);
    EditEngineType->setItemIndex(engine.protocol == 1 ? 1 : 0);
    EditEngineArguments->setText(engine.arguments);
    m_serverTimeout->setValue(m_settings.ServerTimeoutSeconds);
    m_pollServers->setChecked(m_settings.PollServers);
    m_minutesToCheck->setValue(m_settings.MinutesToCheck);
    m_alertDaysLeft->setValue(m_settings.AlertDaysLeft);
    RefreshList();
}

void TOptionsDialog::OKBtnClick()
{
    m_settings.ShowComments = EditShowComments->isChecked();
    m_settings.UseFigurineNotation = EditFigurine->isChecked();
    m_settings.CheckServersPeriodically = EditCheckServers->isChecked();
    m_settings.ShowOnlyOngoingGames = EditShowOngoing->isChecked();
    m_settings.LightSquaresColor = ColorRefFromColor(ColorBox1->selected());
    m_settings.DarkSquaresColor = ColorRefFromColor(ColorBox2->selected());
    m_settings.EngineFileName = EditEngine->text();
    m_settings.ActiveLanguage = static_cast<std::uint8_t>(qMax(0, EditLAnguage->itemIndex()));
    m_settings.EngineProtocol = EditEngineType->itemIndex() == 1 ? 1 : 0;
    m_settings.ServerTimeoutSeconds = m_serverTimeout->value();
    m_settings.PollServers = m_pollServers->isChecked();
    m_settings.MinutesToCheck = m_minutesToCheck->value();
    m_settings.AlertDaysLeft = m_alertDaysLeft->value();
    m_settings.ShowCoordinates = EditShowCoordinates->isChecked();
    m_settings.ShowLastMove = EditShowLastMove->isChecked();
    m_settings.ShowCheck = EditShowCheck->isChecked();
    m_settings.EngineArguments = EditEngineArguments->text().trimmed();
    accept();
}

void TOptionsDialog::RefreshList()
{
    ListBox1->clear();
    ListBox1->addItems(ListServerFiles(m_serversFolder));
}

void TOptionsDialog::Button1Click()
{
    m_addServerDialog->exec();
}

QString TOptionsDialog::selectedServer()
{
    // Only a row the player selected counts: Qt makes the first row current
    // when the list takes the focus with nothing selected.
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    if (selected.isEmpty()) {
        MessageDlg(MultiLang1->Translate(QStringLiteral("@selectserverfirst")), TPrompts::Icon::Information,
                   TPrompts::Button::Ok, this);
        return {};
    }
    return selected.front()->text();
}

void TOptionsDialog::Button2Click()
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

void TOptionsDialog::Button3Click()
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
        && MessageDlg(MultiLang1->Translate(QStringLiteral("@keepnotes")), TPrompts::Icon::Confirmation,
                      TPrompts::Button::Yes | TPrompts::Button::No, this)
               == TPrompts::Button::No)
        notes.removeAll(name);
    RefreshList();
    Q_EMIT serversChanged();
}

void TOptionsDialog::SpeedButton1Click()
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
    QString arguments = EditEngineArguments->text().trimmed();
    if (arguments == ArgumentsFor(EditEngine->text(), {}))
        arguments.clear();
    EditEngine->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
    CheckEngine();
    EditEngineArguments->setText(ArgumentsFor(EditEngine->text(), arguments));
}

void TOptionsDialog::CheckEngine()
{
    EditEngineType->setItemIndex(FileMentionsUciOk(EditEngine->text()) ? 1 : 0);
}

bool TOptionsDialog::FileMentionsUciOk(const QString &fileName)
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
