#include "chess/move_text.h"
#include "chess/pgn_export.h"
#include "chess/rules.h"

#include <QString>
#include <QStringList>
#include <QtTest>

namespace {

GameRecord Played(const std::vector<std::string> &sans)
{
    GameRecord g;
    ResetMoveLibrary();
    TChessPosition position;
    for (const std::string &san : sans) {
        g.CurrentPly = g.MoveCount;
        position.SetWhiteToMove(SideToMoveIsWhite(g));
        g.Moves[++g.MoveCount] = ApplySanMove(position, "", san);
    }
    g.CurrentPly = g.MoveCount;
    return g;
}

PGNExportTags Tags(const std::string &result = "*")
{
    return {"Cup \"A\"", "Server", "2026.01.15", "Demo", "Rival", result, "ENG", "ESP", "1"};
}

QStringList Lines(const std::string &text) { return QString::fromStdString(text).split("\r\n"); }

} // namespace

class TestPGNExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noMoves()
    {
        const QStringList lines = Lines(ExportPGNText(Tags(), GameRecord{}, {}, true));
        QCOMPARE(lines, (QStringList{"[Event \"Cup \\\"A\\\"\"]", "[Site \"Server\"]", "[Date \"2026.01.15\"]",
                                     "[White \"Demo\"]", "[Black \"Rival\"]", "[Result \"*\"]",
                                     "[WhiteNA \"ENG\"]", "[BlackNA \"ESP\"]", "[Board \"1\"]", "", "*", ""}));
    }

    void commentsAfterTheirPly()
    {
        const GameRecord g = Played({"e4", "e5", "Nf3", "Nc6"});
        const std::vector<std::string> comments{"3,first", "1,", "3,the knight", "31,not this"};
        QCOMPARE(Lines(ExportPGNText(Tags(), g, comments, true)).at(10),
                 QString("1.e4 e5 2.Nf3 {the knight} Nc6 *"));
        QCOMPARE(Lines(ExportPGNText(Tags(), g, comments, false)).at(10), QString("1.e4 e5 2.Nf3 Nc6 *"));
    }

    // The result token alone ends the movetext and fills the tag; the text
    // after it is a comment before it, so no reader sees a second game.
    void resultTextsAndTheirTokens_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("movetext");
        QTest::newRow("won") << "1-0" << "1-0" << "1.d4 d5 1-0";
        QTest::newRow("ongoing") << "*" << "*" << "1.d4 d5 *";
        QTest::newRow("adjudicated draw") << "1/2-1/2 {Adjudicated}" << "1/2-1/2" << "1.d4 d5 {Adjudicated} 1/2-1/2";
        QTest::newRow("white defaulted") << "* White defaulted" << "*" << "1.d4 d5 {White defaulted} *";
        QTest::newRow("cancelled") << "* Cancelled" << "*" << "1.d4 d5 {Cancelled} *";
        QTest::newRow("no result token") << "lost {in} time" << "*" << "1.d4 d5 {lost in time} *";
    }
    void resultTextsAndTheirTokens()
    {
        QFETCH(QString, result);
        QFETCH(QString, tag);
        QFETCH(QString, movetext);
        const QStringList lines = Lines(ExportPGNText(Tags(result.toStdString()), Played({"d4", "d5"}), {}, false));
        QCOMPARE(lines.at(5), "[Result \"" + tag + "\"]");
        QCOMPARE(lines.mid(9), (QStringList{"", movetext, ""}));
    }

    void tagsStayOnTheirLines()
    {
        PGNExportTags tags = Tags();
        tags.Event = "Cup\r\n[Site \"x\"]";
        QCOMPARE(Lines(ExportPGNText(tags, GameRecord{}, {}, false)).at(0), QString("[Event \"Cup  [Site \\\"x\\\"]\"]"));
    }

    void lineBreaks()
    {
        std::vector<std::string> sans;
        for (int i = 0; i < 30; ++i)
            for (const char *san : {"Nf3", "Nf6", "Ng1", "Ng8"})
                sans.push_back(san);
        const GameRecord g = Played(sans);
        const std::string longComment(150, 'c');
        const QStringList lines = Lines(ExportPGNText(Tags(), g, {"4," + longComment}, true)).mid(10);
        QString joined;
        for (const QString &line : lines.mid(0, lines.size() - 1)) {
            QVERIFY2(line.size() <= 70, qPrintable(line));
            joined += line;
        }
        // Comment lines break at 61 characters; move lines only after Black's move.
        QCOMPARE(lines.at(0).size(), 61);
        for (const QString &line : lines.mid(3, lines.size() - 5))
            QVERIFY2(line.size() > 55 && (line.endsWith("Ng8 ") || line.endsWith("Nf6 ")), qPrintable(line));
        QVERIFY(joined.startsWith("1.Nf3 Nf6 2.Ng1 Ng8 {" + QString(40, 'c')));
        QVERIFY(joined.contains(QString::fromStdString(longComment) + "} 3.Nf3"));
        QVERIFY(joined.endsWith("60.Ng1 Ng8 *"));
    }

    void setUpGame()
    {
        GameRecord g;
        g.Setup = true;
        g.SetupFEN = "8/8/8/4k3/8/8/4P3/4K3 b - - 0 30";
        ResetMoveLibrary();
        TChessPosition position;
        PackedPosition packed;
        QVERIFY(position.FromFEN(g.SetupFEN.view(), packed));
        g.Moves[1] = ApplySanMove(position, g.SetupFEN.view(), "Kd5");
        position.SetWhiteToMove(true);
        g.Moves[2] = ApplySanMove(position, "", "Kd2");
        g.MoveCount = 2;
        const QStringList lines = Lines(ExportPGNText(Tags(), g, {}, false));
        QCOMPARE(lines.at(9), QString("[SetUp \"1\"]"));
        QCOMPARE(lines.at(10), QString("[FEN \"8/8/8/4k3/8/8/4P3/4K3 b - - 0 30\"]"));
        QCOMPARE(lines.at(12), QString("30...Kd5 31.Kd2 *"));
    }
};

QTEST_APPLESS_MAIN(TestPGNExport)
#include "tst_pgn_export.moc"
