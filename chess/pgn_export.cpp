#include "chess/pgn_export.h"

#include "chess/move_text.h"
#include "chess/rules.h"

#include <charconv>
#include <string_view>

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::size_t MoveLineLength = 55;
constexpr std::size_t CommentLineLength = 60;

// A tag line; quotes and backslashes in the value are escaped, and line
// ends and other control characters become blanks, so the tag stays on its
// line.
std::string TagLine(std::string_view name, std::string_view value)
{
    std::string line = "[" + std::string(name) + " \"";
    for (char c : value) {
        if (c == '"' || c == '\\')
            line += '\\';
        line += static_cast<unsigned char>(c) < ' ' ? ' ' : c;
    }
    return line + "\"]" + std::string(LineEnd);
}

// A result text split into the token that ends the movetext and what follows
// it ("* White defaulted", "1-0 {Adjudicated}"), without braces. Text after
// the token would read as the start of another game, so the export writes it
// as a comment before the token. A text that starts with no result token is
// all note, and the game's result is left open.
struct ResultParts {
    std::string Token, Note;
};

ResultParts SplitResult(std::string_view result)
{
    constexpr std::string_view tokens[] = {"1-0", "0-1", "1/2-1/2", "*"};
    const auto blank = result.find(' ');
    const std::string_view first = result.substr(0, blank);
    ResultParts parts{"*", std::string(result)};
    for (const std::string_view token : tokens) {
        if (first == token) {
            parts.Token = std::string(token);
            parts.Note = blank == std::string_view::npos ? std::string() : std::string(result.substr(blank + 1));
        }
    }
    std::erase_if(parts.Note, [](char c) { return c == '{' || c == '}' || static_cast<unsigned char>(c) < ' '; });
    const auto start = parts.Note.find_first_not_of(' ');
    parts.Note = start == std::string::npos ? std::string() : parts.Note.substr(start, parts.Note.find_last_not_of(' ') - start + 1);
    return parts;
}

std::string CommentForPly(const std::vector<std::string> &comments, int ply)
{
    const std::string key = std::to_string(ply) + ',';
    std::string found;
    for (const std::string &line : comments)
        if (line.starts_with(key))
            found = line.substr(key.size());
    return found;
}

// The move number of the set-up position: its sixth field, 1 when missing.
int FirstMoveNumber(const GameRecord &game)
{
    if (!game.Setup)
        return 1;
    std::string_view fen = game.SetupFEN.view();
    for (int field = 0; field < 5; ++field) {
        const auto blank = fen.find(' ');
        if (blank == std::string_view::npos)
            return 1;
        fen.remove_prefix(blank + 1);
    }
    int number = 1;
    std::from_chars(fen.data(), fen.data() + fen.size(), number);
    return number > 0 ? number : 1;
}

} // namespace

std::string ExportPGNText(const PGNExportTags &tags, const GameRecord &game,
                          const std::vector<std::string> &comments, bool includeComments)
{
    const ResultParts result = SplitResult(tags.Result);
    std::string text = TagLine("Event", tags.Event) + TagLine("Site", tags.Site) + TagLine("Date", tags.Date) +
                       TagLine("White", tags.White) + TagLine("Black", tags.Black) +
                       TagLine("Result", result.Token) + TagLine("WhiteNA", tags.WhiteNA) +
                       TagLine("BlackNA", tags.BlackNA) + TagLine("Board", tags.Board);
    if (game.Setup)
        text += TagLine("SetUp", "1") + TagLine("FEN", game.SetupFEN.view());
    text += LineEnd;

    const auto flush = [&](std::string &buffer) {
        text += buffer;
        text += LineEnd;
        buffer.clear();
    };
    // Plies counted from the first white move of the game; a game whose first
    // move is Black's starts one ply in.
    const int blackStarts = PlyIsWhite(game, 1) ? 0 : 1;
    const int firstNumber = FirstMoveNumber(game);
    std::string buffer;
    for (int n = 1; n <= game.MoveCount; ++n) {
        const bool white = PlyIsWhite(game, n);
        const int number = firstNumber + (n + blackStarts - 1) / 2;
        if (white)
            buffer += std::to_string(number) + '.';
        else if (n == 1)
            buffer += std::to_string(number) + "...";
        buffer += MoveToSAN(game.Moves[n]) + ' ';
        if (includeComments) {
            if (const std::string comment = CommentForPly(comments, n); !comment.empty()) {
                buffer += '{';
                for (char c : comment) {
                    buffer += c;
                    if (buffer.size() > CommentLineLength)
                        flush(buffer);
                }
                buffer += "} ";
            }
        }
        if (buffer.size() > MoveLineLength && !white)
            flush(buffer);
    }
    if (!result.Note.empty())
        buffer += '{' + result.Note + "} ";
    text += buffer + result.Token + std::string(LineEnd);
    return text;
}
