#pragma once

#include "tools/xfcc-test-server/test_server_state.h"

#include <QString>

#include <stdexcept>

// A data file that cannot be read or written; what() tells where and why.
class EDataFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The test server's data file (JSON):
//   { "users": [ { "username": "...", "password": "..." } ],
//     "games": [ { "id": 1, "whiteUser": "...", "blackUser": "...",
//                  "white": "...", "event": "...", ... any field of XfccGame that
//                  both players see alike, with its type ...,
//                  "moves": [ "e4", "e5 {a comment}" ],
//                  "whiteMessage": "...", "blackMessage": "...",
//                  "drawOfferedBy": "white" | "black",
//                  "whiteTime": { "days": 1, "hours": 2, "minutes": 3 },
//                  "blackTime": { ... } } ] }
// Unknown keys and values of the wrong type are errors, so that typing
// mistakes in a data file show up at once.
TestServerState LoadTestServerData(const QString &fileName);
void SaveTestServerData(const QString &fileName, const TestServerState &state);
