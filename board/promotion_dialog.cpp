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

    EditPromotion = new TRadioGroup(this);
    EditPromotion->setObjectName(QStringLiteral("EditPromotion"));
    EditPromotion->setTitle(QStringLiteral("Select a piece"));
    EditPromotion->setToolTip(QStringLiteral("Select a piece to promote"));
    EditPromotion->setItems({QStringLiteral("Queen"), QStringLiteral("Rook"), QStringLiteral("Bishop"),
                             QStringLiteral("Knight")});
    EditPromotion->setItemIndex(0);

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(EditPromotion);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PieceCode TPromotionDialog::PromotionPiece(bool white) const
{
    const int index = std::clamp(EditPromotion->itemIndex(), 0, 3);
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
