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
    int firstMove = 1;
    bool blackStarts = false;
    if (game.Setup) {
        position.startFen = QString::fromStdString(game.SetupFEN.str());
        const QStringList fields = position.startFen.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        blackStarts = fields.value(1) == QLatin1String("b");
        firstMove = qMax(1, fields.value(5).toInt());
    }
    position.fullMoveNumber = firstMove + (game.CurrentPly + (blackStarts ? 1 : 0)) / 2;
    for (int ply = 1; ply <= game.CurrentPly; ++ply)
        position.moves << QString::fromStdString(MoveToCoordinates(game.Moves[ply]));
    return position;
}
