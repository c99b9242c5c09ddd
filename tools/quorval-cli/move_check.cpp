#include "tools/quorval-cli/move_check.h"

#include "chess/move_text.h"
#include "chess/rules.h"
#include "movelib/tlmpgn32.h"
#include "tools/quorval-cli/cli_error.h"
#include "tools/quorval-cli/position_fen.h"

GameRecord RecordWithMove(const LoadedServerGame &loaded, const QString &san)
{
    GameRecord game = loaded.Game;
    const int ply = game.MoveCount + 1;
    if (ply > MoveList::Capacity)
        throw ECliError(TExitCode::Failure, QStringLiteral("Too many moves!"));

    // The library is given the position itself, whatever its board holds.
    const std::string fen = PositionFEN(game, loaded.Position);
    TChessPosition position = loaded.Position;
    position.SetWhiteToMove(PlyIsWhite(game, ply));
    const QString side = position.WhiteToMove() ? QStringLiteral("White") : QStringLiteral("Black");
    MoveRecord move;
    try {
        move = ApplySanMove(position, fen, san.trimmed().toStdString());
    } catch (const PGNtoTLMexception &refusal) {
        if (TLMgetRCMGerrno() == TLM_InvalidSetup)
            throw ECliError(TExitCode::Failure,
                            QStringLiteral("The move library refuses the game's position %1").arg(QString::fromStdString(fen)));
        const QString why = TLMgetRCMGerrno() == TLM_AmbiguousMove
                                ? QStringLiteral("%1 is ambiguous: more than one piece of %2 can make it; "
                                                 "name the piece's file or rank (%3)")
                                : QStringLiteral("%1 is not a legal move of %2 in this position (%3)");
        throw ECliError(TExitCode::IllegalMove, why.arg(san, side, QString::fromUtf8(refusal.what())));
    }
    move.Annotation = 0;
    game.MoveCount = game.CurrentPly = std::uint16_t(ply);
    game.Moves[ply] = move;
    game.Moves[ply].Check = SideToMoveInCheck(game, position);
    return game;
}
