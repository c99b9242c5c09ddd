#include "chess/epd.h"

#include "chess/rules.h"

EPDResult MakeEPD(const GameRecord &game, const TChessPosition &position)
{
    if (game.Setup && game.MoveCount == 0)
        return {game.SetupFEN.str(), false};
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            if (position.GetPiece(MakeSquare(rank, file)) > Piece::BlackKing)
                return {{}, true};

    const std::string fen = position.ToFEN();
    std::string epd = fen.substr(0, fen.find(' '));
    epd += SideToMoveIsWhite(game) ? " w " : " b ";
    epd += CastlingText(game);
    epd += " -";
    return {epd, false};
}
