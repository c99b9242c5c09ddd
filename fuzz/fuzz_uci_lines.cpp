// The UCI protocol's reading of engine output lines.
#include "engine/uciprotocol.h"
#include "fuzz/engine_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FeedEngineLines<TUciProtocol>(data, size, 5);
    return 0;
}
