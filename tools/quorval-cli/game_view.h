#pragma once

#include "app/server_game_loader.h"
#include "service/xfcc_types.h"

#include <QString>

// What "show" prints of a loaded game: the players and the state, the
// position as a text board from the user's side (White's pieces in capitals,
// "." for an empty square), its FEN, the last move, the opponent's message
// and whether a draw offer is pending.
QString GameViewText(const QString &server, const XfccGame &game, const LoadedServerGame &loaded);

// The board of a FEN text's placement field, eight ranks with their digits
// and the files' letters below; Black's side at the bottom unless
// whiteAtBottom.
QString BoardText(const QString &fen, bool whiteAtBottom);
