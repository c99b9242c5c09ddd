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
    m_nameEdit = addField("nameEdit", "nameLabel", QStringLiteral("Server Name (e.g.: ICCF)"));
    m_serviceUrlEdit = addField("serviceUrlEdit", "serviceUrlLabel",
                                QStringLiteral("Server address: (eg: %1) ").arg(QLatin1String(ExampleServiceUrl)));
    m_userNameEdit = addField("userNameEdit", "userNameLabel", QStringLiteral("User name (At ICCF your player ID)"));
    m_passwordEdit = addField("passwordEdit", "passwordLabel", QStringLiteral("User password (At ICCF your password)"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_webSiteEdit = addField("webSiteEdit", "webSiteLabel",
                             QStringLiteral("Server website (optional at ICCF : %1)").arg(QLatin1String(ExampleWebSite)));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *okButton = new QPushButton(QStringLiteral("O&K"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto *cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_translator = createMultiLang(this, WordList::AddServerDialog);
    m_translator->followActivation(std::move(activeLanguage));

    connect(okButton, &QPushButton::clicked, this, Guarded(this, &TAddServerDialog::saveServer));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TAddServerDialog::setEntry(const ServerEntry &entry)
{
    m_nameEdit->setText(entry.Name);
    m_serviceUrlEdit->setText(entry.ServiceUrl);
    m_userNameEdit->setText(entry.UserName);
    m_passwordEdit->setText(entry.Password);
    m_webSiteEdit->setText(entry.WebSite);
}

ServerEntry TAddServerDialog::entry() const
{
    return ServerEntry{m_nameEdit->text(), m_serviceUrlEdit->text(), m_userNameEdit->text(), m_passwordEdit->text(),
                       m_webSiteEdit->text()};
}

void TAddServerDialog::saveServer()
{
    const struct { QLineEdit *edit; const char *message; } required[] = {
        {m_nameEdit, "You have to enter a server name"},
        {m_serviceUrlEdit, "You have to enter a server address"},
        {m_userNameEdit, "You have to enter a user name"},
        {m_passwordEdit, "You have to enter a user password"},
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
    if (const QString id = ServerNameProblemMessageId(CheckServerName(m_nameEdit->text())); !id.isEmpty())
        return refuse(m_nameEdit, m_translator->Translate(id).replace(QLatin1String("%1"),
                                                                      m_nameEdit->text().left(MaxServerNameLength)));
    if (!IsWebAddress(m_serviceUrlEdit->text()))
        return refuse(m_serviceUrlEdit, m_translator->Translate(QStringLiteral("@notaserviceaddress"))
                                            .replace(QLatin1String("%1"), m_serviceUrlEdit->text()));
    WriteServerFile(m_serversFolder, entry());
    Q_EMIT serverSaved();
    accept();
}
