#pragma once

#include "chess/game_record.h"
#include "service/make_a_move_request.h"
#include "service/xfcc_account.h"
#include "service/xfcc_transport.h"
#include "service/xfcc_types.h"

#include <QString>

// The send-move dialog's choice: the item index of its resultOffer group.
enum class TSendChoice { None = -1, OfferDraw = 0, Resign = 1, AcceptDraw = 2 };

// What "Send move" offers and sends for one game: the last half-move of the
// record (n = MoveCount), checked against the server copy's move count.
class TMoveToSend
{
public:
    TMoveToSend(const GameRecord &game, int serverMoveCount, const XfccGame &currentGame);

    // The record holds a move to show.
    bool HasMove() const { return m_plies > 0; }
    // Exactly one move was made since the game was loaded: it may be sent.
    bool IsNextMove() const { return m_plies == m_serverPlies + 1; }
    // The number of the full move holding half-move n.
    int MoveNumber() const { return m_moveNumber; }
    QString MoveText() const { return m_moveText; }
    // "23. Nf3"
    QString MoveLabel() const;

    // Whether the dialog's OK may send: a new move, or a resignation or draw
    // acceptance, which need none.
    bool MayConfirm(TSendChoice choice) const;
    // The request without the account, which the caller fills in.
    MakeAMoveRequest Arguments(TSendChoice choice, const QString &message) const;

private:
    int m_plies;
    int m_serverPlies;
    int m_moveNumber;
    int m_serverMoveNumber;  // of the server copy's last half-move
    int m_gameId;
    bool m_hasWhite;
    QString m_moveText;
};

// One MakeAMove call with the request and the account's user name and
// password, over the transport (its time limits). Throws EXfccError when the
// call fails.
MakeAMoveResult SendMakeAMove(const XfccAccount &account, MakeAMoveRequest request,
                              const XfccTransport &transport = {});
