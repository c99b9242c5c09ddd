#pragma once

#include "chess/game_record.h"

#include <string>
#include <vector>

// The header of an exported game, as the server reports it.
struct PGNExportTags {
    std::string Event, Site, Date, White, Black, Result, WhiteNA, BlackNA, Board;
};

// The game as PGN text with CR LF line ends: the tag lines, an empty line and
// the movetext, broken after Black's move once a line passes 55 characters
// and inside a comment once it passes 60, ending with the result token and a
// line end. The Result tag holds the token alone; a text after the token in
// tags.Result ("* White defaulted", "1-0 {Adjudicated}") becomes a comment
// before the token. With includeComments, the comment lines "<ply>,<text>" are written in
// braces after their half-move (the last line for a ply wins). A game from a
// set-up position also gets its SetUp and FEN tags.
std::string ExportPGNText(const PGNExportTags &tags, const GameRecord &game,
                          const std::vector<std::string> &comments, bool includeComments);
