#pragma once

#include <QString>

#include <stdexcept>

// A failed XfccBasic call: the address could not be reached, the HTTP exchange
// failed, the server sent a SOAP fault, or its reply could not be read. what()
// holds the text to show, in UTF-8.
class EXfccError : public std::runtime_error
{
public:
    // Where the call failed: on the way to the server (a bad address, no
    // connection, an HTTP failure, a limit of the transport), in the server's
    // answer to the request (a SOAP fault), or in reading its reply.
    enum class Kind { Connection, Fault, Reply };

    explicit EXfccError(const QString &message, Kind kind = Kind::Connection)
        : std::runtime_error(message.toStdString()), m_kind(kind)
    {
    }

    QString message() const { return QString::fromUtf8(what()); }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
