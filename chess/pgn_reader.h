#pragma once

#include "chess/game_record.h"
#include "chess/position.h"
#include "chess/short_string.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

// The tokens that end a movetext.
inline constexpr std::array<std::string_view, 5> PGNResultTokens{"1-0", "0-1", "#", "*", "1/2-1/2"};

// The characters that separate movetext tokens: blank, tab, line feed,
// vertical tab, form feed and carriage return.
constexpr bool IsMovetextSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Removes annotation marks ("!", "?", and "$" with the digits after it) and
// brace comments from one movetext line; inComment carries an open comment
// over to the next line.
std::string StripComments(std::string_view line, bool &inComment);
// The value of a tag line: the text between the first double quote and the
// closing quote and "]" at the line's end.
std::string TagValue(std::string_view line);
// "Smith, John" -> "John Smith"; a name without a comma stays as it is.
std::string NormalizePlayerName(std::string_view name);

// Reads one game of a PGN file into a GameRecord: ReadGame collects the tags
// and movetext lines, ParseMoves plays the movetext on a position of its own
// through the move library. One game per call, no variations.
class TPGN
{
public:
    static constexpr int MaxPlies = 399;  // the rest of a longer movetext is ignored

    // In debug mode a failed parse writes the movetext lines to "pgn.log" in
    // logFolder.
    explicit TPGN(std::filesystem::path logFolder = {}, bool debugMode = false);

    void InitPGN();
    void ClearTags();
    bool OpenPGN(const std::filesystem::path &fileName);
    // False when the file ends before the tags and a first movetext line
    // that is not its last line, or when no file is open.
    bool ReadGame(bool wantMovetext);
    // Fills Game() from the tags and movetext. Stops at the first token the
    // move library refuses, keeping the moves before it, and sets ErrorText();
    // a result token ends the movetext without an error. Not interactive, it
    // also records the position after each half-move.
    void ParseMoves(bool interactive);
    // False when closing failed ("Problem closing PGN file").
    bool ClosePGN();
    // Writes the movetext lines, one per line, to "pgn.log" in the log folder.
    void WriteMoveLog() const;

    const GameRecord &Game() const { return m_game; }
    const std::string &ErrorText() const { return m_errorText; }
    bool HasError() const { return m_errorText != NoError; }
    // Whether ParseMoves stopped after MaxPlies half-moves with more of them
    // left in the movetext.
    bool MovesLeftOver() const { return m_movesLeftOver; }
    // The position after the moves that ParseMoves applied.
    const TChessPosition &Position() const { return m_position; }
    // The ToFEN text after half-move ply (1..400); empty unless filled by a
    // non-interactive parse.
    const std::string &PositionAfter(int ply) const;
    const std::vector<std::string> &MovetextLines() const { return m_movetext; }
    int LinesRead() const { return m_linesRead; }
    int GameStartLine() const { return m_gameStartLine; }

    static constexpr std::string_view NoError = "No error";

private:
    struct RawTags {
        ShortString<80> Event, Site, Date, White, Black, WhiteNA, BlackNA;
        ShortString<10> Round, Result, ECO;
        ShortString<4> WhiteELO, BlackELO;
        ShortString<20> WhiteCountry, BlackCountry;
        ShortString<89> FEN;
    };

    bool AtEnd();
    std::string ReadLine();
    void StoreTag(std::string_view line);
    void CopyTagsToGame();
    void ParseToken(std::string token, int ply, bool interactive);

    std::filesystem::path m_logFolder;
    bool m_debugMode = false;
    std::filesystem::path m_fileName;
    std::ifstream m_file;
    RawTags m_tags;
    GameRecord m_game;
    std::vector<std::string> m_movetext;
    std::vector<std::string> m_positions;
    TChessPosition m_position;
    int m_linesRead = 0;
    int m_gameStartLine = 0;
    std::string m_errorText{NoError};
    bool m_movesLeftOver = false;
    bool m_setupPlaced = true;
};
