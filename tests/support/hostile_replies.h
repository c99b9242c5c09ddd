#pragma once

#include "service/xfcc_transport.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class TCannedHttpServer;

// Replies of servers that misbehave, for the tests of the binding and of the
// windows that call it.

// A reply document: the XML declaration, `doctype` when given, and a SOAP
// envelope around body.
QByteArray SoapReply(const QByteArray &body, const QByteArray &doctype = {});
// A GetMyGames reply holding `games` (XfccGame elements) in its result.
QByteArray GetMyGamesReply(const QByteArray &games, const QByteArray &doctype = {});
// `depth` elements named `name`, each inside the one before, around inner.
QByteArray NestedElements(const QByteArray &name, int depth, const QByteArray &inner = {});
// A document type declaration whose entity "l9" expands to 10^9 "ha".
QByteArray EntityBombDoctype();
// The head of a 200 response with the given extra header lines.
QByteArray ReplyHead(const QByteArray &headers);

// One way of misbehaving: how a canned server is set up for it, the limits a
// call is made with, and a part of the text the call then fails with.
struct THostileMode {
    const char *name;
    std::function<void(TCannedHttpServer &)> apply;
    XfccTransport transport;
    QString failure;
};

// Every misbehaviour, each ending a call within a few seconds.
QList<THostileMode> HostileModes();
