#pragma once

#include "chess/game_record.h"
#include "service/xfcc_types.h"

#include <QString>
#include <QStringList>

// The text of an exported game: tags from the server game, moves from game
// (moves not yet sent included), comments when includeComments, and the
// player's notes, when given, as a comment before the first move.
QString ExportPGNText(const XfccGame &server, const GameRecord &game, const QStringList &comments,
                      bool includeComments, const QString &notes = {});
