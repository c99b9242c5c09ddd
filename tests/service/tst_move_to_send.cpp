#include "service/move_answer.h"
#include "service/move_to_send.h"
#include "tests/service/played_record.h"

#include <QTest>

// What "Send move" sends, from the record, the server copy and the choice.
class TestMoveToSend : public QObject
{
    Q_OBJECT

private:
    static XfccGame gameOf(bool hasWhite)
    {
        XfccGame game;
        game.id = 4711;
        game.hasWhite = hasWhite;
        return game;
    }

private slots:
    void argumentsFollowTheRecordAndTheChoice_data()
    {
        QTest::addColumn<int>("plies");
        QTest::addColumn<int>("serverPlies");
        QTest::addColumn<bool>("hasWhite");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("movecount");
        QTest::addColumn<QString>("myMove");

        const int none = -1, offer = 0, resign = 1, accept = 2;
        QTest::newRow("White's 23rd move") << 45 << 44 << true << none << "23. Nf3" << 23 << "Nf3";
        QTest::newRow("Black's 23rd move") << 46 << 45 << false << none << "23. Nf6" << 23 << "Nf6";
        QTest::newRow("a move with a draw offer") << 45 << 44 << true << offer << "23. Nf3" << 23 << "Nf3";
        QTest::newRow("White resigns after 20 moves") << 40 << 40 << true << resign << "20. Be7" << 21 << "";
        QTest::newRow("Black resigns after White's 21st") << 41 << 41 << false << resign << "21. Nh2" << 21 << "";
        QTest::newRow("White resigns at the second half-move") << 2 << 2 << true << resign << "1. e5" << 1 << "";
        QTest::newRow("White accepts a draw") << 40 << 40 << true << accept << "20. Be7" << 20 << "";
        QTest::newRow("Black accepts a draw") << 41 << 41 << false << accept << "21. Nh2" << 21 << "";
        // A move entered and then a resignation chosen: the move in progress
        // is the one resigned, whoever has White.
        QTest::newRow("White resigns instead of a made move") << 41 << 40 << true << resign << "21. Nh2" << 21 << "";
        QTest::newRow("Black resigns instead of a made move") << 42 << 41 << false << resign << "21. Nh7" << 21 << "";
        // Two moves made: the server's game decides the number.
        QTest::newRow("White resigns with two moves made") << 42 << 40 << true << resign << "21. Nh7" << 21 << "";
    }

    void argumentsFollowTheRecordAndTheChoice()
    {
        QFETCH(int, plies);
        QFETCH(int, serverPlies);
        QFETCH(bool, hasWhite);
        QFETCH(int, choice);
        QStringList moves = ClosedSpanishGame() << QStringLiteral("Nf3") << QStringLiteral("Nf6");
        const TMoveToSend move(PlayedRecord(moves.mid(0, plies)), serverPlies, gameOf(hasWhite));
        QTEST(move.MoveLabel(), "label");

        const MakeAMoveRequest arguments = move.Arguments(TSendChoice(choice), QStringLiteral("hi\r\nyou"));
        QCOMPARE(arguments.gameId, 4711);
        QTEST(arguments.movecount, "movecount");
        QTEST(arguments.myMove, "myMove");
        QCOMPARE(arguments.offerDraw, choice == 0);
        QCOMPARE(arguments.resign, choice == 1);
        QCOMPARE(arguments.acceptDraw, choice == 2);
        QCOMPARE(arguments.claimDraw, false);
        QCOMPARE(arguments.myMessage, QStringLiteral("hi\r\nyou"));
    }

    // A game from a set-up position counts its moves on from the set-up's
    // full-move number, as the server does.
    void setUpGamesCountFromTheSetUpMoveNumber_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<int>("plies");
        QTest::addColumn<int>("serverPlies");
        QTest::addColumn<bool>("hasWhite");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("movecount");

        const int none = -1, resign = 1, accept = 2;
        const QString white30 = QStringLiteral("4k3/8/8/8/8/8/8/N1N1K3 w - - 0 30");
        const QString black12 = QStringLiteral("8/8/8/4k3/8/8/4P3/4K3 b - - 0 12");
        QTest::newRow("White's first move") << white30 << 1 << 0 << true << none << 30;
        QTest::newRow("Black's first reply") << white30 << 2 << 1 << false << none << 30;
        QTest::newRow("White's second move") << white30 << 3 << 2 << true << none << 31;
        QTest::newRow("White resigns before moving") << white30 << 0 << 0 << true << resign << 30;
        QTest::newRow("Black starts") << black12 << 1 << 0 << false << none << 12;
        QTest::newRow("White answers Black's start") << black12 << 2 << 1 << true << none << 13;
        QTest::newRow("Black resigns before moving") << black12 << 0 << 0 << false << resign << 12;
        QTest::newRow("White resigns after Black's start") << black12 << 1 << 1 << true << resign << 13;
        QTest::newRow("Black accepts a draw") << black12 << 2 << 2 << false << accept << 13;
        QTest::newRow("no move number") << QStringLiteral("4k3/8/8/8/8/8/8/N1N1K3 w - -") << 1 << 0 << true << none << 1;
    }

    void setUpGamesCountFromTheSetUpMoveNumber()
    {
        QFETCH(QString, fen);
        QFETCH(int, plies);
        QFETCH(int, serverPlies);
        QFETCH(bool, hasWhite);
        QFETCH(int, choice);
        GameRecord game;
        game.Setup = true;
        game.SetupFEN = fen.toStdString();
        game.StartWhiteToMove = fen.contains(QStringLiteral(" w"));
        game.MoveCount = std::uint16_t(plies);
        const TMoveToSend move(game, serverPlies, gameOf(hasWhite));
        QTEST(move.Arguments(TSendChoice(choice), {}).movecount, "movecount");
        if (move.IsNextMove())
            QTEST(move.MoveNumber(), "movecount");
    }

    void okSendsOnlyANewMoveOrANoMoveDecision()
    {
        const GameRecord game = PlayedRecord(ClosedSpanishGame().mid(0, 40));
        const TMoveToSend next(game, 39, gameOf(false));
        const TMoveToSend none(game, 40, gameOf(true));
        const TMoveToSend two(game, 38, gameOf(true));
        for (TSendChoice choice : {TSendChoice::None, TSendChoice::OfferDraw, TSendChoice::Resign,
                                   TSendChoice::AcceptDraw}) {
            const bool decision = choice == TSendChoice::Resign || choice == TSendChoice::AcceptDraw;
            QVERIFY(next.MayConfirm(choice));
            QCOMPARE(none.MayConfirm(choice), decision);
            QCOMPARE(two.MayConfirm(choice), decision);
        }
        QVERIFY(next.IsNextMove());
        QVERIFY(!none.IsNextMove() && !two.IsNextMove());
        QVERIFY(!TMoveToSend(GameRecord{}, 0, gameOf(true)).HasMove());
    }

    void castlingIsSentAsCastling()
    {
        QCOMPARE(TMoveToSend(PlayedRecord(ClosedSpanishGame().mid(0, 9)), 8, gameOf(true)).MoveLabel(),
                 QStringLiteral("5. O-O"));
    }

    void everyAnswerHasItsBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TPrompts::Icon>("icon");
        QTest::addColumn<QString>("text");
        using Icon = TPrompts::Icon;
        QTest::newRow("Success") << "Success" << Icon::Information << "[@movesentsuccessfully]";
        QTest::newRow("ServerError") << "ServerError" << Icon::Error << "[@servererror]";
        QTest::newRow("AuthenticationFailed") << "AuthenticationFailed" << Icon::Error << "[@authenticationfailed]";
        QTest::newRow("InvalidGameID") << "InvalidGameID" << Icon::Error << "Invalid game ID";
        QTest::newRow("NotYourGame") << "NotYourGame" << Icon::Error << "Not your game!!";
        QTest::newRow("NotYourTurn") << "NotYourTurn" << Icon::Error << "Not your turn!!";
        QTest::newRow("InvalidMoveNumber") << "InvalidMoveNumber" << Icon::Error << "Invalid move number: 23 !!";
        QTest::newRow("InvalidMove") << "InvalidMove" << Icon::Error << "Invalid move!!";
        QTest::newRow("NoDrawWasOffered") << "NoDrawWasOffered" << Icon::Error << "No draw was offered!";
        QTest::newRow("LostOnTime") << "LostOnTime" << Icon::Information << "Lost on time";
        QTest::newRow("YouAreOnLeave") << "YouAreOnLeave" << Icon::Information << "You are on leave";
        QTest::newRow("MoveIsAmbigous") << "MoveIsAmbigous" << Icon::Error << "Move is ambiguous!!";
        QTest::newRow("unknown name") << "TournamentNotYetStarted" << Icon::None << "Unexpected error!!";
        QTest::newRow("empty name") << "" << Icon::None << "Unexpected error!!";
    }

    void everyAnswerHasItsBox()
    {
        QFETCH(QString, name);
        const auto translate = [](const QString &id) { return u'[' + id + u']'; };
        const TMoveAnswer answer = MoveAnswerFor(MakeAMoveResult::fromName(name), 23, translate);
        QTEST(answer.icon, "icon");
        QTEST(answer.text, "text");
    }
};

QTEST_GUILESS_MAIN(TestMoveToSend)
#include "tst_move_to_send.moc"
