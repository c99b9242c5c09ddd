#include "chess/move_text.h"

#include "random_games.h"

#include <QTest>

// Thousands of generated games replayed through ApplySanMove, written back
// with MoveToSAN and read again: every move must land on the same squares,
// and the program's position must follow the library's board exactly.
class TestGameReplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void corpusHasEveryKindOfMove();
    void replaysAndWritesBack();
    void readsLooserForms();

private:
    std::vector<GeneratedGame> Games;
};

namespace {

constexpr int GameCount = 2000;

Square ProgramSquare(int s) { return MakeSquare(tlm::RankOf(s), tlm::FileOf(s)); }

PieceCode ProgramPiece(const tlm::Board &board, int s)
{
    const tlm::PieceType type = board.TypeOn(s);
    if (type == tlm::NoPieceType)
        return 0;
    const bool black = board.Pieces(tlm::Black) & tlm::SquareBit(s);
    return PieceCode(type + (black ? Piece::BlackOffset : 0));
}

bool SamePlacement(const TChessPosition &position, const tlm::Board &board)
{
    for (int s = 0; s < 64; ++s)
        if (position.GetPiece(ProgramSquare(s)) != ProgramPiece(board, s))
            return false;
    return true;
}

// Plays texts from the initial position; stops at the first refusal.
std::vector<MoveRecord> Replay(const std::vector<std::string> &texts)
{
    std::vector<MoveRecord> moves;
    ResetMoveLibrary();
    TChessPosition position;
    for (std::size_t ply = 0; ply < texts.size(); ++ply) {
        position.SetWhiteToMove(ply % 2 == 0);
        moves.push_back(ApplySanMove(position, "", texts[ply]));
    }
    return moves;
}

// The move as some servers write it: the full from-square, no "=" and no
// check marks.
std::string LooseForm(const tlm::Board &board, const GeneratedPly &ply)
{
    const tlm::Move m = ply.Move;
    const tlm::PieceType type = board.TypeOn(m.From);
    if (m.Type == tlm::Move::Castling || type == tlm::Pawn) {
        std::string san = ply.San;
        for (const char mark : {'+', '#', '='})
            std::erase(san, mark);
        return san;
    }
    std::string san(1, " PNBRQK"[type]);
    san += char('a' + tlm::FileOf(m.From));
    san += char('1' + tlm::RankOf(m.From));
    if (board.Occupied() & tlm::SquareBit(m.To))
        san += 'x';
    san += char('a' + tlm::FileOf(m.To));
    san += char('1' + tlm::RankOf(m.To));
    return san;
}

} // namespace

void TestGameReplay::initTestCase()
{
    Games = GenerateRandomGames(GameCount, 20240611);
}

void TestGameReplay::corpusHasEveryKindOfMove()
{
    int plies = 0, castles = 0, enPassant = 0, promotions = 0, underPromotions = 0, namedFrom = 0, mates = 0;
    for (const GeneratedGame &game : Games) {
        for (const GeneratedPly &ply : game) {
            ++plies;
            castles += ply.Move.Type == tlm::Move::Castling;
            enPassant += ply.Move.Type == tlm::Move::EnPassant;
            promotions += ply.Move.Promotion != tlm::NoPieceType;
            underPromotions += ply.Move.Promotion != tlm::NoPieceType && ply.Move.Promotion != tlm::Queen;
            std::string bare = ply.San;
            for (const char mark : {'x', '+', '#'})
                std::erase(bare, mark);
            namedFrom += bare[0] != 'O' && std::isupper(bare[0]) && bare.size() > 3;
            mates += ply.San.back() == '#';
        }
    }
    qInfo("%d plies: %d castling, %d en passant, %d promotions (%d under), %d disambiguated, %d mates", plies,
          castles, enPassant, promotions, underPromotions, namedFrom, mates);
    QVERIFY(plies > 100 * GameCount);
    QVERIFY(castles > 100);
    QVERIFY(enPassant > 100);
    QVERIFY(underPromotions > 100);
    QVERIFY(namedFrom > 100);
    QVERIFY(mates > 20);
}

void TestGameReplay::replaysAndWritesBack()
{
    for (const GeneratedGame &game : Games) {
        ResetMoveLibrary();
        TChessPosition position;
        tlm::Board board;
        std::vector<std::string> written;
        for (std::size_t ply = 0; ply < game.size(); ++ply) {
            position.SetWhiteToMove(ply % 2 == 0);
            const MoveRecord m = ApplySanMove(position, "", game[ply].San);
            QCOMPARE(m.From, ProgramSquare(game[ply].Move.From));
            QCOMPARE(m.To, ProgramSquare(game[ply].Move.To));
            QCOMPARE(m.EnPassantCapture, game[ply].Move.Type == tlm::Move::EnPassant);
            board.Play(game[ply].Move);
            if (!SamePlacement(position, board))
                QFAIL(("placement differs after " + game[ply].San).c_str());
            written.push_back(MoveToSAN(m));
        }

        const std::vector<MoveRecord> again = Replay(written);
        QCOMPARE(again.size(), game.size());
        for (std::size_t ply = 0; ply < game.size(); ++ply) {
            QCOMPARE(again[ply].From, ProgramSquare(game[ply].Move.From));
            QCOMPARE(again[ply].To, ProgramSquare(game[ply].Move.To));
            QCOMPARE(MoveToSAN(again[ply]), written[ply]);
        }
    }
}

void TestGameReplay::readsLooserForms()
{
    for (std::size_t g = 0; g < Games.size(); g += 10) {
        const GeneratedGame &game = Games[g];
        tlm::Board board;
        std::vector<std::string> loose;
        for (const GeneratedPly &ply : game) {
            loose.push_back(LooseForm(board, ply));
            board.Play(ply.Move);
        }
        const std::vector<MoveRecord> moves = Replay(loose);
        for (std::size_t ply = 0; ply < game.size(); ++ply) {
            QCOMPARE(moves[ply].From, ProgramSquare(game[ply].Move.From));
            QCOMPARE(moves[ply].To, ProgramSquare(game[ply].Move.To));
        }
    }
}

QTEST_APPLESS_MAIN(TestGameReplay)
#include "tst_game_replay.moc"
