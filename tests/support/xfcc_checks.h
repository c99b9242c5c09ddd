#pragma once

#include "service/xfcc_error.h"
#include "service/xfcc_wire.h"

#include <functional>

// Checks for tests of the service binding and of its callers.

// Where two games differ, for a test failure message: the first field with
// both values, or an empty text when the games are equal.
inline QString XfccGameDifference(const XfccGame &actual, const XfccGame &expected)
{
    for (const XfccGameField &field : XfccGameFields) {
        if (field.text(actual) != field.text(expected))
            return QStringLiteral("%1 is \"%2\", expected \"%3\"")
                .arg(field.name, field.text(actual), field.text(expected));
    }
    if (!(actual == expected))
        return QStringLiteral("the games differ in a member that XfccGameFields does not list");
    return {};
}

// The text of the EXfccError that `call` throws, or "(no failure)".
inline QString XfccFailureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const EXfccError &error) {
        return error.message();
    }
    return QStringLiteral("(no failure)");
}
