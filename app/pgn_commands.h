#pragma once

#include "app/pgn_text.h"
#include "chess/game_record.h"
#include "chess/position.h"
#include "service/xfcc_types.h"

#include <QString>
#include <QStringList>

class QWidget;
class TFileDialogTexts;

// The export command after its game is known: empties the clipboard unless
// appending, asks "Include comments?", then adds the game, with the player's
// notes when given, to the clipboard
// or writes it to a file chosen in a save dialog opened on programFolder
// (appending when asked and the file exists), titled and filtered as
// saveDialog says ("Save" and PGN files where it says nothing). Throws
// std::runtime_error when the file cannot be written; the file then stays as
// it was.
void ExportPGN(const XfccGame &server, const GameRecord &game, const QStringList &comments, const QString &notes,
               bool toClipboard, bool append, const QString &programFolder, const TFileDialogTexts &saveDialog,
               QWidget *parent = nullptr);

// The EPD text of the shown position; a square holding no valid piece shows
// "Error in building EPD description" and gives an empty text.
QString MakeEPDFromBoard(const GameRecord &game, const TChessPosition &shown);
// MakeEPDFromBoard onto the clipboard.
void CopyEPDToClipboard(const GameRecord &game, const TChessPosition &shown);

// Writes the game log to "quorval.log" in programFolder and opens it.
void ShowGameLog(const QString &programFolder, const QString &gameLog);
