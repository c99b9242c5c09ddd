// The comment extraction of server move texts and the temporary PGN text
// made of the rest. The comments come out in the order of their half-moves,
// each as "<ply>,<text>"; what is left is the move text without the comments
// taken; the PGN text keeps every byte of the move text.
#include "chess/server_movetext.h"
#include "fuzz/fuzz_check.h"

#include <algorithm>
#include <charconv>

namespace {

// The number of half-moves a comment line names, its text after the comma.
int PlyOf(const std::string &comment, std::string &text)
{
    int ply = -1;
    const auto [end, error] = std::from_chars(comment.data(), comment.data() + comment.size(), ply);
    FUZZ_CHECK(error == std::errc() && end < comment.data() + comment.size() && *end == ',');
    text = std::string(end + 1, comment.data() + comment.size());
    return ply;
}

// The text without blanks and line feeds, which the PGN text may add.
std::string WithoutBreaks(std::string text)
{
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string original(reinterpret_cast<const char *>(data), size);
    std::string moveText = original;
    const std::vector<std::string> comments = ExtractComments(moveText);

    int previousPly = 0;
    std::size_t commentBytes = 0;
    for (const std::string &comment : comments) {
        std::string text;
        const int ply = PlyOf(comment, text);
        FUZZ_CHECK(ply >= previousPly);
        previousPly = ply;
        FUZZ_CHECK(text.find('}') == std::string::npos);
        FUZZ_CHECK(std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; }));
        commentBytes += text.size();
    }
    // Each comment taken is its braces, its text and at most one note.
    FUZZ_CHECK(moveText.size() + commentBytes + 2 * comments.size() <= original.size());
    // Only an unclosed "{" and what follows it keep a brace pair.
    const auto open = moveText.find('{');
    if (open != std::string::npos)
        FUZZ_CHECK(moveText.find('}', open) == std::string::npos);

    const std::string pgn = TemporaryPGNText("Event", moveText, "setup");
    const std::string_view tags = "[Event \"Event\"]\n[FEN \"setup\"]\n\n";
    FUZZ_CHECK(pgn.starts_with(tags) && pgn.ends_with("\n\n"));
    const std::string kept = pgn.substr(tags.size(), pgn.size() - tags.size() - 2);
    FUZZ_CHECK(WithoutBreaks(kept) == (moveText.empty() ? "*" : WithoutBreaks(moveText)));
    return 0;
}
