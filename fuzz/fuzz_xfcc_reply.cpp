// The XfccBasic reply reader on any reply body, read as an answer to each
// operation. A reply it reads holds games or a result that the test server's
// writer writes into a reply that reads back the same; a SOAP fault is the
// error of both operations. A game list the one-pass scan reads is one the
// full XML reader reads, with the same games.
#include "fuzz/fuzz_check.h"
#include "service/games_reply_scanner.h"
#include "service/soap_envelope.h"
#include "service/xfcc_error.h"
#include "tools/xfcc-test-server/server_soap.h"

#include <optional>

namespace {

template <typename Read>
auto ReadOrError(Read read, QString &error) -> std::optional<decltype(read())>
{
    try {
        return read();
    } catch (const EXfccError &e) {
        error = e.message();
        FUZZ_CHECK(!error.isEmpty());
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray reply(reinterpret_cast<const char *>(data), qsizetype(size));

    QString gamesError;
    const auto games = ReadOrError([&] { return ReadGetMyGamesResponse(reply); }, gamesError);
    if (games)
        FUZZ_CHECK(ReadGetMyGamesResponse(WriteGetMyGamesResponse(*games)) == *games);
    if (const std::optional<ArrayOfXfccGame> scanned = ScanGetMyGamesReply(reply)) {
        QString fullError;
        const auto full = ReadOrError([&] { return ReadGetMyGamesResponseWithXmlReader(reply); }, fullError);
        FUZZ_CHECK(full && *full == *scanned);
    }

    QString moveError;
    const auto result = ReadOrError([&] { return ReadMakeAMoveResponse(reply); }, moveError);
    if (result) {
        const MakeAMoveResult reread = ReadMakeAMoveResponse(WriteMakeAMoveResponse(*result));
        FUZZ_CHECK(reread == *result && reread.name() == result->name());
    }

    if (const std::optional<QString> fault = ReadSoapFault(reply)) {
        FUZZ_CHECK(!fault->isEmpty());
        FUZZ_CHECK(!games && gamesError == *fault);
        FUZZ_CHECK(!result && moveError == *fault);
    }
    return 0;
}
