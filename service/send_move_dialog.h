#pragma once

#include "service/move_to_send.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TMultiLang;
class TRadioGroup;

// Asks to confirm a move before it goes to the server, with a message to the
// opponent and an optional draw offer, resignation or draw acceptance. A new
// one is made for every use, so it opens with no choice and no message.
class TSendMoveDialog : public QDialog
{
    Q_OBJECT

public:
    TSendMoveDialog(const TMoveToSend &move, const QString &opponentMessage,
                    std::function<int()> activeLanguage, QWidget *parent = nullptr);

    TSendChoice choice() const;
    // The message to the opponent as typed, lines separated by CR LF.
    QString message() const;
    TMultiLang *multiLang() const { return m_translator; }

public Q_SLOTS:
    // OK: closes with the OK result when the choice can be sent; otherwise
    // says why and closes with the cancel result.
    void confirmMove();

private:
    TMoveToSend m_move;
    QLabel *m_moveHeading;
    QLabel *m_moveLabel;
    QLabel *m_opponentMessageHeading;
    QPlainTextEdit *m_opponentMessage;
    QLabel *m_messageHeading;
    QPlainTextEdit *m_messageEdit;
    TRadioGroup *m_resultOffer;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    TMultiLang *m_translator;
};
