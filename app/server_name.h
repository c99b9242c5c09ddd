#pragma once

#include <QString>

// A server's name is the name of its file in the servers folder and nothing
// else: it must not reach another folder, hide the file, or name a device.
enum class ServerNameProblem {
    None,
    Empty,
    TooLong,           // over MaxServerNameLength characters
    PathCharacters,    // "/", "\" or ".."
    LeadingDot,
    ControlCharacter,
    ReservedName,      // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
};

inline constexpr int MaxServerNameLength = 100;

ServerNameProblem CheckServerName(const QString &name);

// The translation id of the message that explains a problem ("@servername..."),
// empty for None and Empty.
QString ServerNameProblemMessageId(ServerNameProblem problem);

// True for an address Quorval may hand to the desktop or send a password to:
// an absolute http or https address with a host.
bool IsWebAddress(const QString &address);
