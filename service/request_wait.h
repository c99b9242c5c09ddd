#pragma once

#include "service/xfcc_cancellation.h"
#include "service/xfcc_transport.h"
#include "ui/waitwindow.h"

// A wait for server requests that the player can end: the wait window with
// its Cancel button for the scope's lifetime, and the transport that carries
// the cancel to every request made with it.
//
//   TRequestWait wait(waitWindow, message, m_transport);
//   service(wait.transport())->GetMyGames(...);  // EXfccError Kind::Cancelled on Cancel
class TRequestWait
{
public:
    TRequestWait(TWaitWindow *window, const QString &message, const XfccTransport &transport)
        : m_scope(window, message, TWaitScope::Cancel::Offered)
        , m_transport(transport)
    {
        m_transport.cancellation = &m_cancellation;
        QObject::connect(window, &TWaitWindow::cancelRequested, &m_cancellation, &TXfccCancellation::cancel);
    }

    const XfccTransport &transport() const { return m_transport; }
    TXfccCancellation &cancellation() { return m_cancellation; }
    TWaitScope &scope() { return m_scope; }

private:
    TXfccCancellation m_cancellation;  // disconnects from the window when the wait ends
    TWaitScope m_scope;
    XfccTransport m_transport;
};
