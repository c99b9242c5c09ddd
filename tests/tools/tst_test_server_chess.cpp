#include "tools/xfcc-test-server/test_server_data_file.h"
#include "tools/xfcc-test-server/test_server_state.h"

#include <QTemporaryDir>
#include <QTest>

// The test server's MakeAMove as a real server plays it: moves checked on the
// game's position, turns, draw offers, resignations and results.
class TestTestServerChess : public QObject
{
    Q_OBJECT

private:
    static TestServerState stateWith(const QString &fen, const QStringList &moves = {})
    {
        TestServerState state;
        state.passwords = {{QStringLiteral("w"), QStringLiteral("w")}, {QStringLiteral("b"), QStringLiteral("b")}};
        TestGame game;
        game.common.id = 1;
        game.common.fen = fen;
        game.whiteUser = QStringLiteral("w");
        game.blackUser = QStringLiteral("b");
        game.moves = moves;
        state.games.append(game);
        return state;
    }

    static MakeAMoveRequest move(const QString &user, int number, const QString &san)
    {
        MakeAMoveRequest request;
        request.username = request.password = user;
        request.gameId = 1;
        request.movecount = number;
        request.myMove = san;
        return request;
    }

    static MakeAMoveRequest decision(const QString &user, int number, bool resign)
    {
        MakeAMoveRequest request = move(user, number, {});
        request.resign = resign;
        request.acceptDraw = !resign;
        return request;
    }

    static XfccGame view(const TestServerState &state, const QString &user)
    {
        return state.gamesOf(user).value(0);
    }

private slots:
    void movesAreCheckedOnTheGamesPosition_data()
    {
        QTest::addColumn<QString>("san");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("a legal move") << "Nc3" << "Success" << "Nc3";
        QTest::newRow("squares named in full") << "Nb1c3" << "Success" << "Nc3";
        QTest::newRow("a wrong check mark") << "d4+" << "Success" << "d4";
        QTest::newRow("castling with zeros") << "0-0" << "Success" << "O-O";
        QTest::newRow("a blocked rook") << "Ra3" << "InvalidMove" << "";
        QTest::newRow("no move") << "" << "InvalidMove" << "";
        QTest::newRow("two moves") << "Nc3 Nf3" << "InvalidMove" << "";
        QTest::newRow("two knights reach d2") << "Nd2" << "MoveIsAmbigous" << "";
        QTest::newRow("no such piece") << "Kf7" << "InvalidMove" << "";
    }

    void movesAreCheckedOnTheGamesPosition()
    {
        QFETCH(QString, san);
        QFETCH(QString, recorded);
        // White may castle, and both knights can reach d2.
        TestServerState state = stateWith(QStringLiteral("rnbqk2r/pppp1ppp/5n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq - 0 4"));
        QTEST(state.makeAMove(move(QStringLiteral("w"), 4, san)).name(), "answer");
        const XfccGame white = view(state, QStringLiteral("w"));
        const XfccGame black = view(state, QStringLiteral("b"));
        if (recorded.isEmpty()) {
            QCOMPARE(white.moves, QString());
            QVERIFY(white.myTurn && !black.myTurn);
        } else {
            QCOMPARE(white.moves, QStringLiteral("4. ") + recorded);
            QVERIFY(!white.myTurn && black.myTurn);
        }
    }

    void mateAndStalemateEndTheGame_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<QString>("san");
        QTest::addColumn<Result>("result");
        QTest::newRow("White mates") << "k7/8/1K6/8/8/8/7Q/8 w - - 0 40" << "Qh8" << Result(Result::WhiteWins);
        QTest::newRow("White stalemates") << "k7/8/1K6/8/8/8/8/2Q5 w - - 0 40" << "Qc7" << Result(Result::Draw);
        QTest::newRow("Black mates") << "K7/8/1k6/8/8/8/7q/8 b - - 0 40" << "Qh8" << Result(Result::BlackWins);
        QTest::newRow("a check only") << "k7/8/1K6/8/8/8/7Q/8 w - - 0 40" << "Qb8" << Result(Result::Ongoing);
    }

    void mateAndStalemateEndTheGame()
    {
        QFETCH(QString, fen);
        QFETCH(QString, san);
        QFETCH(Result, result);
        TestServerState state = stateWith(fen);
        const QString mover = fen.contains(u" w ") ? QStringLiteral("w") : QStringLiteral("b");
        QCOMPARE(state.makeAMove(move(mover, 40, san)), MakeAMoveResult::Success);
        QCOMPARE(view(state, QStringLiteral("w")).result, result);
        QCOMPARE(view(state, QStringLiteral("b")).myTurn, result == Result::Ongoing && mover == u"w");
        if (result != Result::Ongoing) {
            const QString other = mover == u"w" ? QStringLiteral("b") : QStringLiteral("w");
            QCOMPARE(state.makeAMove(move(other, 40, QStringLiteral("Kb7"))), MakeAMoveResult::NotYourTurn);
        }
    }

    void moveNumbersFollowTheGame()
    {
        // Black moves first in move 12.
        TestServerState state = stateWith(QStringLiteral("4k3/8/8/8/8/8/4P3/4K3 b - - 3 12"));
        QCOMPARE(state.makeAMove(move(QStringLiteral("b"), 11, QStringLiteral("Kd7"))),
                 MakeAMoveResult::InvalidMoveNumber);
        QCOMPARE(state.makeAMove(move(QStringLiteral("b"), 12, QStringLiteral("Kd7"))), MakeAMoveResult::Success);
        QCOMPARE(state.makeAMove(move(QStringLiteral("w"), 12, QStringLiteral("e4"))),
                 MakeAMoveResult::InvalidMoveNumber);
        QCOMPARE(state.makeAMove(move(QStringLiteral("w"), 13, QStringLiteral("e4"))), MakeAMoveResult::Success);
        QCOMPARE(view(state, QStringLiteral("b")).moves, QStringLiteral("12... Kd7 13. e4"));

        // Without a move White may name Black's last move; Black may not name White's.
        QCOMPARE(state.makeAMove(decision(QStringLiteral("b"), 12, true)), MakeAMoveResult::InvalidMoveNumber);
        QCOMPARE(state.makeAMove(move(QStringLiteral("b"), 13, QStringLiteral("Ke6"))), MakeAMoveResult::Success);
        QCOMPARE(state.makeAMove(decision(QStringLiteral("w"), 12, true)), MakeAMoveResult::InvalidMoveNumber);
        QCOMPARE(state.makeAMove(decision(QStringLiteral("w"), 13, true)), MakeAMoveResult::Success);
        QCOMPARE(view(state, QStringLiteral("w")).result, Result::BlackWins);
    }

    void drawOffersLastOneMove()
    {
        TestServerState state = stateWith({}, {QStringLiteral("e4")});
        QCOMPARE(state.makeAMove(decision(QStringLiteral("b"), 1, false)), MakeAMoveResult::NoDrawWasOffered);

        MakeAMoveRequest offer = move(QStringLiteral("b"), 1, QStringLiteral("e5"));
        offer.offerDraw = true;
        offer.myMessage = QStringLiteral("Draw?");
        QCOMPARE(state.makeAMove(offer), MakeAMoveResult::Success);
        QVERIFY(view(state, QStringLiteral("w")).drawOffered);
        QCOMPARE(view(state, QStringLiteral("w")).message, QStringLiteral("Draw?"));

        // Playing on declines it.
        QCOMPARE(state.makeAMove(move(QStringLiteral("w"), 2, QStringLiteral("Nf3"))), MakeAMoveResult::Success);
        QVERIFY(!view(state, QStringLiteral("b")).drawOffered);
        QCOMPARE(state.makeAMove(decision(QStringLiteral("b"), 2, false)), MakeAMoveResult::NoDrawWasOffered);

        offer = move(QStringLiteral("b"), 2, QStringLiteral("Nc6"));
        offer.offerDraw = true;
        QCOMPARE(state.makeAMove(offer), MakeAMoveResult::Success);
        QCOMPARE(state.makeAMove(decision(QStringLiteral("w"), 2, false)), MakeAMoveResult::Success);
        QCOMPARE(view(state, QStringLiteral("b")).result, Result::Draw);
        QVERIFY(!view(state, QStringLiteral("b")).myTurn && !view(state, QStringLiteral("w")).myTurn);
        QCOMPARE(view(state, QStringLiteral("b")).moves, QStringLiteral("1. e4 e5 2. Nf3 Nc6"));
    }

    void aDataFileWithAnImpossibleGameIsRefused()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("games.json"));
        TestServerState state = stateWith({}, {QStringLiteral("e4 {fine}"), QStringLiteral("e5")});
        SaveTestServerData(file, state);
        QCOMPARE(LoadTestServerData(file).games.value(0).moves.size(), 2);

        state.games[0].moves.append(QStringLiteral("Ke3"));
        SaveTestServerData(file, state);
        try {
            LoadTestServerData(file);
            QFAIL("an impossible game was loaded");
        } catch (const EDataFileError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("games[0]")), error.what());
        }
    }
};

QTEST_GUILESS_MAIN(TestTestServerChess)
#include "tst_test_server_chess.moc"
