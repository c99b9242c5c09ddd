#include "tools/quorval-cli/position_fen.h"

#include "chess/epd.h"
#include "chess/rules.h"

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Fields(const std::string &text)
{
    std::vector<std::string> fields;
    std::istringstream stream(text);
    for (std::string field; stream >> field;)
        fields.push_back(field);
    return fields;
}

// The set-up field at index, or fallback when the set-up text leaves it out.
std::string Field(const std::vector<std::string> &fields, std::size_t index, const std::string &fallback)
{
    return index < fields.size() ? fields[index] : fallback;
}

int Number(const std::string &text, int fallback)
{
    try {
        return std::stoi(text);
    } catch (const std::exception &) {
        return fallback;
    }
}

std::string SquareText(Square q)
{
    return {FileLetters[FileOf(q) & 7], RankDigits[RankOf(q) & 7]};
}

bool IsPawn(PieceCode p) { return p == Piece::WhitePawn || p == Piece::BlackPawn; }

} // namespace

std::string PositionFEN(const GameRecord &game, const TChessPosition &position)
{
    const std::vector<std::string> setup = game.Setup ? Fields(game.SetupFEN.str()) : std::vector<std::string>();
    const int plies = game.MoveCount;
    std::vector<std::string> fields;
    if (game.Setup && plies == 0) {
        fields = {Field(setup, 0, "8/8/8/8/8/8/8/8"), Field(setup, 1, "w"), Field(setup, 2, "-"),
                  Field(setup, 3, "-")};
    } else {
        const EPDResult epd = MakeEPD(game, position);
        if (epd.InvalidPiece)
            return {};
        fields = Fields(epd.Text);
        fields.resize(4, "-");
        if (plies > 0) {
            const MoveRecord &last = game.Moves[plies];
            if (IsPawn(last.Piece) && (last.To - last.From == 20 || last.From - last.To == 20))
                fields[3] = SquareText(Square((last.From + last.To) / 2));
        }
    }

    int quietPlies = 0;
    while (quietPlies < plies) {
        const MoveRecord &move = game.Moves[plies - quietPlies];
        if (IsPawn(move.Piece) || move.Captured != 0 || move.EnPassantCapture)
            break;
        ++quietPlies;
    }
    if (quietPlies == plies)
        quietPlies += Number(Field(setup, 4, "0"), 0);

    const int fullMove = FullMoveNumber(game, plies + 1);
    std::string fen;
    for (const std::string &field : fields)
        fen += field + ' ';
    return fen + std::to_string(quietPlies) + ' ' + std::to_string(fullMove);
}
