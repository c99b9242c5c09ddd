#pragma once

#include <QString>

#include <stdexcept>

// The exit codes of quorval-cli; scripts tell the failures apart by them.
enum class TExitCode : int {
    Success = 0,
    Failure = 1,         // anything else: a file that cannot be read, a game that cannot be read
    Usage = 2,           // unknown command or option, missing or malformed argument
    UnknownName = 3,     // no server file of that name, or no game of that number on the server
    Network = 4,         // the server cannot be reached, or its reply cannot be read
    Authentication = 5,  // the server refused the user name or password
    IllegalMove = 6,     // the move is illegal or ambiguous in the game's position
    Refused = 7,         // the server answered MakeAMove with something other than "Success"
};

// A failure that ends a command: the text for standard error and the exit code.
class ECliError : public std::runtime_error
{
public:
    ECliError(TExitCode code, const QString &message)
        : std::runtime_error(message.toStdString()), m_code(code)
    {
    }

    TExitCode code() const { return m_code; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    TExitCode m_code;
};
