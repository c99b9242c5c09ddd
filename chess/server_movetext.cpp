#include "chess/server_movetext.h"

#include "chess/pgn_reader.h"

#include <algorithm>

namespace {

constexpr std::size_t LineBreakAfter = 70;

// Whether a blank-separated piece of move text is a half-move: what is left
// after its move number ("12." or "12...") is neither empty, a result nor a NAG.
bool IsHalfMove(std::string_view token)
{
    if (const auto dot = token.rfind('.'); dot != std::string_view::npos)
        token.remove_prefix(dot + 1);
    if (token.empty() || token.front() == '$')
        return false;
    return std::find(PGNResultTokens.begin(), PGNResultTokens.end(), token) == PGNResultTokens.end();
}

bool IsBlankText(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The comment's text: without its braces and its first bracketed note.
std::string CommentText(std::string comment)
{
    if (const auto open = comment.find('['); open != std::string::npos) {
        if (const auto close = comment.find(']', open); close != std::string::npos)
            comment.erase(open, close - open + 1);
    }
    comment.erase(0, 1);                 // "{"
    comment.erase(comment.find('}'), 1); // the comment runs through its first "}"
    return comment;
}

// A tag value on one line: line ends and other control characters become blanks.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }, ' ');
    return line;
}

} // namespace

std::vector<std::string> ExtractComments(std::string &moveText)
{
    // The text without its comments is built anew rather than erased in
    // place, so that a server's text full of comments takes linear time.
    std::vector<std::string> comments;
    std::string kept;
    kept.reserve(moveText.size());
    int halfMoves = 0;
    std::size_t tokenStart = 0;  // in kept
    const auto endToken = [&] {
        if (kept.size() > tokenStart && IsHalfMove(std::string_view(kept).substr(tokenStart)))
            ++halfMoves;
    };
    std::size_t i = 0;
    while (i < moveText.size()) {
        const char c = moveText[i];
        if (c == '{') {
            const auto close = moveText.find('}', i);
            if (close == std::string::npos)
                break;
            endToken();
            const std::string text = CommentText(moveText.substr(i, close - i + 1));
            if (!IsBlankText(text))
                comments.push_back(std::to_string(halfMoves) + ',' + text);
            i = close + 1;
            tokenStart = kept.size();
            continue;
        }
        const bool blank = IsMovetextSpace(c);
        if (blank)
            endToken();
        kept += c;
        if (blank)
            tokenStart = kept.size();
        ++i;
    }
    kept.append(moveText, i);  // from an unclosed "{" on
    moveText = std::move(kept);
    return comments;
}

std::string TemporaryPGNText(std::string_view event, std::string_view moveText, std::string_view setupFen)
{
    std::string text = "[Event \"" + OneLine(event) + "\"]\n";
    if (!setupFen.empty())
        text += "[FEN \"" + OneLine(setupFen) + "\"]\n";
    text += '\n';
    if (moveText.empty())
        text += '*';
    std::size_t onLine = 0;
    for (char c : moveText) {
        if (c == '*')
            text += ' ';
        text += c;
        if (c == '\n')
            onLine = 0;
        else if (++onLine > LineBreakAfter && IsMovetextSpace(c)) {
            text += '\n';
            onLine = 0;
        }
    }
    text += "\n\n";
    return text;
}
