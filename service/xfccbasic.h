#pragma once

#include "service/xfcc_account.h"
#include "service/xfcc_transport.h"
#include "service/xfcc_types.h"

#include <QObject>
#include <QString>

#include <exception>
#include <memory>

// The XfccBasic service of one server. Every call sends one request and waits
// for its reply; failures throw EXfccError with a text to show.
class XfccBasicSoap
{
public:
    virtual ~XfccBasicSoap() = default;

    // All games of the user on the server.
    virtual ArrayOfXfccGame GetMyGames(const QString &username, const QString &password) = 0;
    // One action in one game: a move (SAN, may be empty), a message, and a draw
    // or resignation decision. Business refusals come back as the result.
    virtual MakeAMoveResult MakeAMove(const QString &username, const QString &password, int gameId,
                                      bool resign, bool acceptDraw, int movecount,
                                      const QString &myMove, bool offerDraw, bool claimDraw,
                                      const QString &myMessage) = 0;
};

// A proxy that sends every call to `address`, as entered; a call to an empty
// address or one that is not http or https fails before anything is sent. The operations and their messages are fixed,
// so the proxy never reads a service description and ignores `useWsdl`.
std::unique_ptr<XfccBasicSoap> GetXfccBasicSoap(bool useWsdl = false, const QString &address = {},
                                                const XfccTransport &transport = {});

// Asks one server for the user's games without waiting: the request goes out
// when the call is made, and finished() comes once, after the caller could
// connect to it, when the games came or the call failed. Many run at once.
class TGetMyGamesCall : public QObject
{
    Q_OBJECT
public:
    TGetMyGamesCall(const XfccAccount &account, const XfccTransport &transport, QObject *parent = nullptr);

    bool isFinished() const { return m_finished; }
    // Ends the request at once with that failure, unless it has ended.
    void abort(const QString &text, EXfccError::Kind kind);
    // Once finished: the games, in the server's order; throws EXfccError for
    // a failed call.
    ArrayOfXfccGame games() const;

Q_SIGNALS:
    void finished();

private:
    void takeReply();

    TSoapCall *m_call = nullptr;
    ArrayOfXfccGame m_games;
    std::exception_ptr m_outcome;
    bool m_finished = false;
};
