#include "app/add_server_dialog.h"

#include "app/general_error.h"
#include "app/server_entry.h"
#include "app/server_name.h"
#include "ui/multilang.h"
#include "ui/prompts.h"
#include "ui/wordlists.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char ExampleServiceUrl[] = "https://www.iccf.com/XfccBasic.asmx";
const char ExampleWebSite[] = "https://www.iccf.com";
} // namespace

TAddServerDialog::TAddServerDialog(const QString &serversFolder, std::function<int()> activeLanguage,
                                   QWidget *parent)
    : QDialog(parent)
    , m_serversFolder(serversFolder)
{
    setObjectName(QStringLiteral("AddServerDialog"));
    setWindowTitle(tr("Add server"));

    auto *layout = new QVBoxLayout(this);
    const auto addField = [&](const char *name, const char *labelName, const QString &label) {
        auto *caption = new QLabel(label, this);
        caption->setObjectName(QLatin1String(labelName));
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumWidth(420);
        caption->setBuddy(edit);
        layout->addWidget(caption);
        layout->addWidget(edit);
        return edit;
    };
    Edit1 = addField("Edit1", "Label1", QStringLiteral("Server Name (e.g.: ICCF)"));
    Edit2 = addField("Edit2", "Label2",
                     QStringLiteral("Server address: (eg: %1) ").arg(QLatin1String(ExampleServiceUrl)));
    Edit3 = addField("Edit3", "Label3", QStringLiteral("User name (At ICCF your player ID)"));
    Edit4 = addField("Edit4", "Label4", QStringLiteral("User password (At ICCF your password)"));
    Edit4->setEchoMode(QLineEdit::Password);
    Edit5 = addField("Edit5", "Label5",
                     QStringLiteral("Server website (optional at ICCF : %1)").arg(QLatin1String(ExampleWebSite)));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("O&K"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_translator = createMultiLang(this, WordList::AddServerDialog);
    m_translator->followActivation(std::move(activeLanguage));

    connect(ok, &QPushButton::clicked, this, Guarded(this, &TAddServerDialog::Button1Click));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TAddServerDialog::setEntry(const ServerEntry &entry)
{
    Edit1->setText(entry.Name);
    Edit2->setText(entry.ServiceUrl);
    Edit3->setText(entry.UserName);
    Edit4->setText(entry.Password);
    Edit5->setText(entry.WebSite);
}

ServerEntry TAddServerDialog::entry() const
{
    return ServerEntry{Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text(), Edit5->text()};
}

void TAddServerDialog::Button1Click()
{
    const struct { QLineEdit *edit; const char *message; } required[] = {
        {Edit1, "You have to enter a server name"},
        {Edit2, "You have to enter a server address"},
        {Edit3, "You have to enter a user name"},
        {Edit4, "You have to enter a user password"},
    };
    const auto refuse = [this](QLineEdit *edit, const QString &message) {
        MessageDlg(message, TPrompts::Icon::Error, TPrompts::Button::Ok, this);
        edit->setFocus();
    };
    for (const auto &field : required) {
        if (field.edit->text().isEmpty())
            return refuse(field.edit, QLatin1String(field.message));
    }
    // The name becomes a file name in the servers folder, and the password
    // goes to the address: both are checked before anything is written.
    if (const QString id = ServerNameProblemMessageId(CheckServerName(Edit1->text())); !id.isEmpty())
        return refuse(Edit1, m_translator->Translate(id).replace(QLatin1String("%1"), Edit1->text().left(MaxServerNameLength)));
    if (!IsWebAddress(Edit2->text()))
        return refuse(Edit2, m_translator->Translate(QStringLiteral("@notaserviceaddress")).replace(QLatin1String("%1"), Edit2->text()));
    WriteServerFile(m_serversFolder, entry());
    Q_EMIT serverSaved();
    accept();
}
