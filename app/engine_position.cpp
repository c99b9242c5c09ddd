#include "app/engine_position.h"

#include "chess/epd.h"
#include "chess/move_text.h"
#include "chess/rules.h"

#include <QStringList>

TAnalysedPosition AnalysedPositionOf(const GameRecord &game, const TChessPosition &shown)
{
    TAnalysedPosition position;
    position.epd = QString::fromStdString(MakeEPD(game, shown).Text);
    position.ply = game.CurrentPly;
    position.whiteToMove = SideToMoveIsWhite(game);
    if (game.Setup)
        position.startFen = QString::fromStdString(game.SetupFEN.str());
    position.fullMoveNumber = FullMoveNumber(game, game.CurrentPly + 1);
    for (int ply = 1; ply <= game.CurrentPly; ++ply)
        position.moves << QString::fromStdString(MoveToCoordinates(game.Moves[ply]));
    return position;
}
