#pragma once

#include "service/xfcc_transport.h"
#include "service/xfcc_types.h"

#include <QString>

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
