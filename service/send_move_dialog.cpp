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

    Label1 = named<QLabel>("Label1", QStringLiteral("You are going to send the move:"), this);
    LabelMove = named<QLabel>("LabelMove", move.MoveLabel(), this);
    QFont large = LabelMove->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 2);
    LabelMove->setFont(large);
    LabelMove->setStyleSheet(QStringLiteral("color: red"));
    Label2 = named<QLabel>("Label2", QStringLiteral("Your opponent wrote:"), this);
    OpponentMessageMemo = memo("OpponentMessageMemo", this);
    OpponentMessageMemo->setReadOnly(true);
    OpponentMessageMemo->appendPlainText(opponentMessage);
    Label3 = named<QLabel>("Label3", QStringLiteral("Here you can write a message to your opponent:"), this);
    Memo1 = memo("Memo1", this);
    OfferResult = named<TRadioGroup>("OfferResult", this);
    OfferResult->setItems({QStringLiteral("Offer a draw"), QStringLiteral("Resign"), QStringLiteral("Accept draw")});
    Button1 = named<QPushButton>("Button1", QStringLiteral("O&K"), this);
    Button1->setDefault(true);
    Button2 = named<QPushButton>("Button2", QStringLiteral("&Cancel"), this);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(LabelMove),
                       static_cast<QWidget *>(Label2), static_cast<QWidget *>(OpponentMessageMemo),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(Memo1),
                       static_cast<QWidget *>(OfferResult)})
        layout->addWidget(w);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Made for one use: it speaks the active language from the start.
    MultiLang1 = createMultiLang(this, WordList::SendMoveDialog);
    if (activeLanguage)
        MultiLang1->setActiveLanguage(activeLanguage());
    MultiLang1->followActivation(std::move(activeLanguage));

    connect(Button1, &QPushButton::clicked, this, &TSendMoveDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

TSendChoice TSendMoveDialog::choice() const
{
    const int index = OfferResult->itemIndex();
    return index >= 0 && index <= 2 ? TSendChoice(index) : TSendChoice::None;
}

QString TSendMoveDialog::message() const
{
    return Memo1->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void TSendMoveDialog::Button1Click()
{
    if (m_move.MayConfirm(choice())) {
        accept();
        return;
    }
    MessageDlg(MultiLang1->Translate(QStringLiteral("@invalidmovenumber")), TPrompts::Icon::Error,
               TPrompts::Button::Ok, this);
    reject();
}
