#include "service/soap_envelope.h"
#include "service/xfcc_wire.h"

#include <QXmlStreamWriter>

#include <benchmark/benchmark.h>

namespace {

// A GetMyGames reply of `count` games with every field filled, about 1 KB each.
QByteArray gamesReply(int count)
{
    XfccGame game;
    game.white = QStringLiteral("Ångström, Zoë");
    game.black = QStringLiteral("Núñez <Jr.> & Co");
    game.event = QStringLiteral("Correspondence Championship Final 2026");
    game.site = QStringLiteral("Server");
    game.moves = QStringLiteral(
        "1. e4 {[%clk 29:23:10]} c5 2. Nf3 d6 3. d4 cxd4 4. Nxd4 Nf6 5. Nc3 a6 6. Be3 e5 7. Nb3 Be6 "
        "8. f3 Be7 9. Qd2 O-O 10. O-O-O Nbd7 11. g4 b5 12. g5 b4 13. Ne2 Ne8 14. f4 a5 15. f5 a4");
    game.message = QStringLiteral("Thanks for the game, good luck in the rest of the event!");
    game.serverInfo = QStringLiteral("Maintenance on Sunday");
    game.whiteElo = 2412;
    game.blackElo = 2388;
    game.timeControl = QStringLiteral("10 moves in 50 days");
    game.gameLink = QStringLiteral("https://server.example/game?id=123456");
    game.eventDate = QStringLiteral("2026.01.01");
    game.result = Result::BlackWinAdjudicated;
    game.daysPlayer = 31;
    game.hoursOpponent = 7;
    return WriteSoapEnvelope([&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("GetMyGamesResponse"));
        xml.writeDefaultNamespace(XfccNamespace);
        xml.writeStartElement(XfccNamespace, QStringLiteral("GetMyGamesResult"));
        for (int i = 0; i < count; ++i) {
            game.id = 100000 + i;
            xml.writeStartElement(XfccNamespace, QStringLiteral("XfccGame"));
            for (const XfccGameField &field : XfccGameFields)
                WriteServiceTextElement(xml, field.name, field.text(game));
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

void BM_ParseGetMyGames(benchmark::State &state)
{
    const QByteArray reply = gamesReply(int(state.range(0)));
    for (auto _ : state) {
        const ArrayOfXfccGame games = ReadGetMyGamesResponse(reply);
        benchmark::DoNotOptimize(games.data());
    }
    state.SetBytesProcessed(state.iterations() * reply.size());
    state.counters["reply_bytes"] = double(reply.size());
}

} // namespace

BENCHMARK(BM_ParseGetMyGames)->Arg(1000)->Unit(benchmark::kMillisecond)->Repetitions(5);

BENCHMARK_MAIN();
