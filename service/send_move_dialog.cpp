#include "service/send_move_dialog.h"

#include "ui/multilang.h"
#include "ui/prompts.h"
#include "ui/radiogroup.h"
#include "ui/wordlists.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename Widget, typename... Args>
Widget *named(const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPlainTextEdit *memo(const char *name, QWidget *parent)
{
    auto *edit = named<QPlainTextEdit>(name, parent);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setFixedHeight(72);
    return edit;
}

} // namespace

TSendMoveDialog::TSendMoveDialog(const TMoveToSend &move, const QString &opponentMessage,
                                 std::function<int()> activeLanguage, QWidget *parent)
    : QDialog(parent), m_move(move)
{
    setObjectName(QStringLiteral("SendMoveDialog"));
    setWindowTitle(QStringLiteral("Send a move"));

    m_moveHeading = named<QLabel>("moveHeading", QStringLiteral("You are going to send the move:"), this);
    m_moveLabel = named<QLabel>("moveLabel", move.MoveLabel(), this);
    QFont large = m_moveLabel->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 2);
    m_moveLabel->setFont(large);
    m_moveLabel->setStyleSheet(QStringLiteral("color: red"));
    m_opponentMessageHeading = named<QLabel>("opponentMessageHeading", QStringLiteral("Your opponent wrote:"), this);
    m_opponentMessage = memo("opponentMessage", this);
    m_opponentMessage->setReadOnly(true);
    m_opponentMessage->appendPlainText(opponentMessage);
    m_messageHeading =
        named<QLabel>("messageHeading", QStringLiteral("Here you can write a message to your opponent:"), this);
    m_messageEdit = memo("messageEdit", this);
    m_resultOffer = named<TRadioGroup>("resultOffer", this);
    m_resultOffer->setItems({QStringLiteral("Offer a draw"), QStringLiteral("Resign"), QStringLiteral("Accept draw")});
    m_okButton = named<QPushButton>("okButton", QStringLiteral("O&K"), this);
    m_okButton->setDefault(true);
    m_cancelButton = named<QPushButton>("cancelButton", QStringLiteral("&Cancel"), this);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(m_moveHeading), static_cast<QWidget *>(m_moveLabel),
                       static_cast<QWidget *>(m_opponentMessageHeading), static_cast<QWidget *>(m_opponentMessage),
                       static_cast<QWidget *>(m_messageHeading), static_cast<QWidget *>(m_messageEdit),
                       static_cast<QWidget *>(m_resultOffer)})
        layout->addWidget(w);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Made for one use: it speaks the active language from the start.
    m_translator = createMultiLang(this, WordList::SendMoveDialog);
    if (activeLanguage)
        m_translator->setActiveLanguage(activeLanguage());
    m_translator->followActivation(std::move(activeLanguage));

    connect(m_okButton, &QPushButton::clicked, this, &TSendMoveDialog::confirmMove);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TSendChoice TSendMoveDialog::choice() const
{
    const int index = m_resultOffer->itemIndex();
    return index >= 0 && index <= 2 ? TSendChoice(index) : TSendChoice::None;
}

QString TSendMoveDialog::message() const
{
    return m_messageEdit->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void TSendMoveDialog::confirmMove()
{
    if (m_move.MayConfirm(choice())) {
        accept();
        return;
    }
    MessageDlg(m_translator->Translate(QStringLiteral("@invalidmovenumber")), TPrompts::Icon::Error,
               TPrompts::Button::Ok, this);
    reject();
}
