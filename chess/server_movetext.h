#pragma once

#include <string>
#include <string_view>
#include <vector>

// The move text of a server game on its way to the PGN reader.

// Takes the brace comments out of moveText and returns them as lines
// "<ply>,<comment>", keyed by the number of half-moves before the comment.
// A bracketed note inside a comment ("[%clk 1:00:00]") is cut; a comment
// left blank is dropped. A "{" without a closing "}" stays in the text.
std::vector<std::string> ExtractComments(std::string &moveText);

// The one-game PGN file for moveText: an Event tag (and a FEN tag for a game
// from a set-up position), an empty line, the movetext in lines broken at the
// first blank, tab or other space after 70 characters, a blank before every "*", and "*" for an
// empty move text.
std::string TemporaryPGNText(std::string_view event, std::string_view moveText,
                             std::string_view setupFen = {});
