#pragma once

#include "chess/encodings.h"

#include <QDialog>

class TRadioGroup;

// Asks which piece a pawn becomes. One instance lives for the whole run, so
// the last choice stays selected for the next promotion.
class TPromotionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TPromotionDialog(QWidget *parent = nullptr);

    // The chosen piece in the mover's colour: queen, rook, bishop or knight.
    PieceCode PromotionPiece(bool white) const;
    // Shows the dialog modally and returns the choice, however it was closed.
    PieceCode ask(bool white);

private:
    TRadioGroup *m_pieceChoice;
};
