#pragma once

#include "chess/encodings.h"
#include "chess/game_record.h"
#include "chess/position.h"

#include <stdexcept>
#include <string>
#include <string_view>

// Raised when the move library refuses a move; the message is the text of
// its error number (MoveLibraryErrorText).
class PGNtoTLMexception : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Puts the move library's own board back to the initial position, White to
// move. Called before each game is read.
void ResetMoveLibrary();

// Plays one SAN move on position (whose side to move the caller has set to
// the mover) and describes it. The move library finds the squares on its own
// board: on setupFen when that is not empty, otherwise on the board its
// previous call left. Changes only squares of position; castling rights,
// side to move and en-passant square are the caller's. Throws
// PGNtoTLMexception, leaving position unchanged, when the library refuses.
MoveRecord ApplySanMove(TChessPosition &position, std::string_view setupFen, std::string_view san);

// The text of the move library's current error number.
std::string MoveLibraryErrorText();

// The move in SAN for display, export and sending. A mate read from PGN
// (Annotation 2) carries neither "+" nor "#": AnnotationText adds the mark.
std::string MoveToSAN(const MoveRecord &move);
std::string AnnotationText(const MoveRecord &move);
// Coordinates for engines: e2e4, e7e8=q, castling as the king's move.
std::string MoveToCoordinates(const MoveRecord &move);
// "e4" -> 34. A first character other than a..h gives an off-board square;
// a second character that is not a digit, or a text shorter than two
// characters, throws std::invalid_argument.
Square SquareFromText(std::string_view text);
