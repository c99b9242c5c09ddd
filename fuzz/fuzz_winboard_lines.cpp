// The Winboard protocol's reading of engine output lines.
#include "engine/winboardprotocol.h"
#include "fuzz/engine_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FeedEngineLines<TWinboardProtocol>(data, size, 10);
    return 0;
}
