#pragma once

#include "service/xfcc_types.h"
#include "ui/prompts.h"

#include <QString>

#include <functional>

// How the server's answer to MakeAMove is shown.
struct TMoveAnswer {
    TPrompts::Icon icon;
    QString text;
};

// The box for an answer; `movecount` is the number that was sent and
// `translate` fetches the main window's "@" messages.
TMoveAnswer MoveAnswerFor(const MakeAMoveResult &result, int movecount,
                          const std::function<QString(const QString &)> &translate);
