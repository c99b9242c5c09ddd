#pragma once

#include <QString>

#include <stdexcept>

// A failed XfccBasic call: the address could not be reached, the HTTP exchange
// failed, the server sent a SOAP fault, or its reply could not be read. what()
// holds the text to show, in UTF-8.
class EXfccError : public std::runtime_error
{
public:
    explicit EXfccError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }

    QString message() const { return QString::fromUtf8(what()); }
};
