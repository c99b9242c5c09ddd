#pragma once

#include "app/server_game_loader.h"

#include <QString>

// The record of a loaded game with the user's next move after its last one,
// checked by the move library on the game's position. The move is stored as
// the board's move entry would store it: the check mark comes from the
// position, not from the text typed. Throws ECliError with
// TExitCode::IllegalMove when the library refuses the move (illegal,
// ambiguous or not a move), and with TExitCode::Failure when the record is
// full.
GameRecord RecordWithMove(const LoadedServerGame &loaded, const QString &san);
