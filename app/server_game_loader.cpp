#include "app/server_game_loader.h"

#include "app/atomic_file.h"
#include "chess/pgn_reader.h"
#include "chess/server_movetext.h"

#include <QDir>

#include <filesystem>

namespace {

std::filesystem::path PathOf(const QString &fileName) { return std::filesystem::path(fileName.toStdU16String()); }

bool IsSetUp(const XfccGame &game)
{
    const QString setup = game.setup.trimmed().toLower();
    return !game.fen.trimmed().isEmpty() && !setup.isEmpty() && setup != u"0" && setup != u"false";
}

} // namespace

LoadedServerGame LoadServerGame(const XfccGame &game, const QString &tempFolder, const QString &programFolder,
                                bool debugMode)
{
    LoadedServerGame loaded;
    loaded.GameLog = game.moves;
    loaded.DrawOffered = game.drawOffered;
    loaded.WhiteIsAtBottom = game.hasWhite;

    std::string moveText = game.moves.trimmed().toStdString();
    for (const std::string &comment : ExtractComments(moveText))
        loaded.GameComments << QString::fromStdString(comment);

    const QString fileName = QDir(tempFolder).filePath(QStringLiteral("temporal.pgn"));
    const std::string fen = IsSetUp(game) ? game.fen.trimmed().toStdString() : std::string();
    const std::string text = TemporaryPGNText(game.event.toStdString(), moveText, fen);
    WriteFileAtomically(fileName, QByteArray::fromStdString(text));

    TPGN pgn(PathOf(programFolder), debugMode);
    pgn.InitPGN();
    pgn.OpenPGN(PathOf(fileName));
    if (pgn.ReadGame(true)) {
        pgn.ParseMoves(true);
        if (pgn.HasError())
            loaded.Messages << QString::fromStdString(pgn.ErrorText());
        if (pgn.MovesLeftOver())
            loaded.Messages << QStringLiteral("This game has more than %1 half-moves; only the first %1 are shown")
                                   .arg(TPGN::MaxPlies);
        loaded.Game = pgn.Game();
        loaded.Game.CurrentPly = loaded.Game.MoveCount;
        loaded.Position = pgn.Position();
        loaded.Parsed = true;
        loaded.ReadInFull = !pgn.HasError() && !pgn.MovesLeftOver();
    } else {
        loaded.Messages << QStringLiteral("Error parsing game!!");
    }
    if (!pgn.ClosePGN())
        loaded.Messages << QStringLiteral("Problem closing PGN file");
    return loaded;
}
