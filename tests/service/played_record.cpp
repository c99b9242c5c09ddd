#include "tests/service/played_record.h"

#include "chess/move_text.h"

GameRecord PlayedRecord(const QStringList &sanMoves)
{
    GameRecord game;
    game.StartWhiteToMove = true;
    TChessPosition position;
    ResetMoveLibrary();
    for (const QString &san : sanMoves) {
        position.SetWhiteToMove(game.MoveCount % 2 == 0);
        ++game.MoveCount;
        game.Moves[game.MoveCount] = ApplySanMove(position, "", san.toStdString());
    }
    game.CurrentPly = game.MoveCount;
    return game;
}

QStringList ClosedSpanishGame()
{
    return QStringLiteral("e4 e5 Nf3 Nc6 Bb5 a6 Ba4 Nf6 O-O Be7 Re1 b5 Bb3 d6 c3 O-O h3 Nb8 d4 Nbd7 "
                          "Nbd2 Bb7 Bc2 Re8 Nf1 Bf8 Ng3 g6 a4 c5 d5 c4 Bg5 h6 Be3 Nc5 Qd2 h5 Bg5 Be7 "
                          "Nh2 Nh7 Bxe7 Qxe7")
        .split(u' ');
}
