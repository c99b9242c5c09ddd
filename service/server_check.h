#pragma once

#include "service/xfcc_account.h"
#include "service/xfcc_error.h"
#include "service/xfcc_transport.h"
#include "service/xfcc_types.h"

#include <QList>
#include <QObject>

#include <memory>

class TGetMyGamesCall;

// What one server answered to GetMyGames, or why it could not be read.
struct ServerCheckOutcome {
    bool answered = false;
    ArrayOfXfccGame games;     // when answered, in the server's order
    QString failure;           // when not: the reason, to show
    EXfccError::Kind failureKind = EXfccError::Kind::Connection;
};

// Asks every server for the user's games at once, so that a check lasts as
// long as its slowest server rather than as the sum of them all. Each answer
// is told as it arrives; finished() comes when every server has answered or
// failed, or at once after cancel().
class TServerCheck : public QObject
{
    Q_OBJECT
public:
    TServerCheck(QList<XfccAccount> servers, const XfccTransport &transport, QObject *parent = nullptr);
    ~TServerCheck() override;

    // Sends every request; finished() may come before the event loop runs
    // again when there is nothing to ask.
    void start();
    // Waits on a local event loop until every server is done (see
    // RequestLoopFlags for the events it takes meanwhile).
    void wait();
    bool isFinished() const { return m_pending == 0 && m_started; }

    const QList<XfccAccount> &servers() const { return m_servers; }
    // The outcome of servers()[index], once serverChecked(index) was told.
    const ServerCheckOutcome &outcome(int index) const { return m_outcomes.at(index); }

public Q_SLOTS:
    // Ends the requests in flight: their servers are not reached, "cancelled".
    // What was answered is kept.
    void cancel();

Q_SIGNALS:
    void serverChecked(int index);
    void finished();

private:
    void take(int index);

    QList<XfccAccount> m_servers;
    std::unique_ptr<QNetworkAccessManager> m_network;  // when the transport gives none
    XfccTransport m_transport;
    QList<TGetMyGamesCall *> m_calls;
    QList<ServerCheckOutcome> m_outcomes;
    int m_pending = 0;
    bool m_started = false;
};
