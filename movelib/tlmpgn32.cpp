#include "movelib/tlmpgn32.h"

// Placeholder until the move generator lands: refuses every move.
std::uint32_t TLM_CALL TLMpgn2move(const char *, const char *) { return 0; }
std::int32_t TLM_CALL TLMgetRCMGerrno() { return TLM_IllegalMove; }
