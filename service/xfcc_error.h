#pragma once

#include <QString>

#include <stdexcept>

// A failed XfccBasic call: the address could not be reached, the HTTP exchange
// failed, the server sent a SOAP fault, or its reply could not be read. what()
// holds the text to show, in UTF-8.
class EXfccError : public std::runtime_error
{
public:
    // Where the call failed. On the way to the server: a bad address, a
    // limit of the transport or another failure of the exchange (Connection),
    // no answer in time (TimedOut), a refused connection (Refused), a failed
    // secure connection (Tls), an HTTP error status (HttpStatus), or the
    // player's cancel (Cancelled). In the server's answer to the request: a
    // SOAP fault (Fault), which is how servers refuse a password. Or in
    // reading its reply (Reply).
    enum class Kind { Connection, TimedOut, Refused, Tls, HttpStatus, Cancelled, Fault, Reply };

    explicit EXfccError(const QString &message, Kind kind = Kind::Connection)
        : std::runtime_error(message.toStdString()), m_kind(kind)
    {
    }

    QString message() const { return QString::fromUtf8(what()); }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
