#include "board/promotion_dialog.h"

#include "ui/radiogroup.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// In the order of the items: Queen, Rook, Bishop, Knight.
constexpr PieceCode ItemPieces[] = {Piece::WhiteQueen, Piece::WhiteRook, Piece::WhiteBishop,
                                    Piece::WhiteKnight};
} // namespace

TPromotionDialog::TPromotionDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PromotionDialog"));
    setWindowTitle(QStringLiteral("Promotion piece"));
    setModal(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    m_pieceChoice = new TRadioGroup(this);
    m_pieceChoice->setObjectName(QStringLiteral("pieceChoice"));
    m_pieceChoice->setTitle(QStringLiteral("Select a piece"));
    m_pieceChoice->setToolTip(QStringLiteral("Select a piece to promote"));
    m_pieceChoice->setItems({QStringLiteral("Queen"), QStringLiteral("Rook"), QStringLiteral("Bishop"),
                             QStringLiteral("Knight")});
    m_pieceChoice->setItemIndex(0);

    auto *okButton = new QPushButton(QStringLiteral("Ok"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pieceChoice);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PieceCode TPromotionDialog::PromotionPiece(bool white) const
{
    const int index = std::clamp(m_pieceChoice->itemIndex(), 0, 3);
    return PieceCode(ItemPieces[index] + (white ? 0 : Piece::BlackOffset));
}

PieceCode TPromotionDialog::ask(bool white)
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
    return PromotionPiece(white);
}
