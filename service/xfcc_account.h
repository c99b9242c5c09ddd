#pragma once

#include <QString>

// The account of a player on one server: what a request needs to be sent.
struct XfccAccount {
    QString Name;        // the server's name, shown while asking it
    QString ServiceUrl;
    QString UserName;
    QString Password;
};
