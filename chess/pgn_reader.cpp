#include "chess/pgn_reader.h"

#include "chess/move_text.h"
#include "chess/rules.h"

#include <algorithm>
#include <exception>

namespace {

constexpr std::size_t MaxLineLength = 255;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s)
{
    s = TrimLeft(s);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

// Whether a movetext line, up to its ";" comment, holds a half-move: a token
// that is more than a move number, a result or a NAG.
bool HoldsHalfMove(std::string_view line)
{
    line = line.substr(0, line.find(';'));
    while (!(line = TrimLeft(line)).empty()) {
        const auto blank = std::find_if(line.begin(), line.end(), IsBlank);
        std::string_view token = line.substr(0, std::size_t(blank - line.begin()));
        line.remove_prefix(token.size());
        if (const auto dot = token.rfind('.'); dot != std::string_view::npos)
            token.remove_prefix(dot + 1);
        if (!token.empty() && token.front() != '$'
            && std::find(PGNResultTokens.begin(), PGNResultTokens.end(), token) == PGNResultTokens.end())
            return true;
    }
    return false;
}

// Keeps the first MaxLineLength bytes without cutting a UTF-8 sequence.
std::string CutLine(std::string line)
{
    if (line.size() <= MaxLineLength)
        return line;
    std::size_t length = MaxLineLength;
    while (length > 0 && (static_cast<unsigned char>(line[length]) & 0xC0) == 0x80)
        --length;
    line.resize(length);
    return line;
}

// A line that opens the movetext: a move number, a result, a piece letter or
// a pawn's file. Tag lines start with "[".
bool StartsMovetext(std::string_view line)
{
    if (line.empty())
        return false;
    const char c = line.front();
    return (c >= '0' && c <= '9') || std::string_view("*.BKNQR").find(c) != std::string_view::npos || (c >= 'a' && c <= 'h');
}

bool IsResultToken(std::string_view token)
{
    return std::find(PGNResultTokens.begin(), PGNResultTokens.end(), token) != PGNResultTokens.end();
}

std::string CastlingWithLetters(std::string token)
{
    if (token == "0-0")
        return "O-O";
    if (token == "0-0-0")
        return "O-O-O";
    if (token == "0-0+")
        return "O-O+";
    if (token == "0-0-0+")
        return "O-O-O+";
    return token;
}

} // namespace

std::string StripComments(std::string_view line, bool &inComment)
{
    // "!" and "?" go first, so that a mark they split ("$1!4") is taken as
    // the whole "$14"; then each "$" with the digits after it goes whole.
    std::string marksOut;
    marksOut.reserve(line.size());
    for (const char c : line)
        if (c != '!' && c != '?')
            marksOut += c;
    std::string text;
    text.reserve(marksOut.size());
    for (std::size_t i = 0; i < marksOut.size(); ++i) {
        if (marksOut[i] == '$' && i + 1 < marksOut.size() && IsDigit(marksOut[i + 1])) {
            while (i + 1 < marksOut.size() && IsDigit(marksOut[i + 1]))
                ++i;
            continue;
        }
        text += marksOut[i];
    }
    std::string kept;
    for (char c : text) {
        if (c == '{')
            inComment = true;
        else if (c == '}')
            inComment = false;
        else if (!inComment)
            kept += c;
    }
    return kept;
}

std::string TagValue(std::string_view line)
{
    const auto quote = line.find('"');
    const std::size_t start = quote == std::string_view::npos ? 0 : quote + 1;
    if (line.size() < start + 2)
        return {};
    return std::string(line.substr(start, line.size() - start - 2));
}

std::string NormalizePlayerName(std::string_view name)
{
    const auto comma = name.find(',');
    if (comma == std::string_view::npos)
        return std::string(name);
    return std::string(Trim(name.substr(comma + 1))) + ' ' + std::string(Trim(name.substr(0, comma)));
}

TPGN::TPGN(std::filesystem::path logFolder, bool debugMode)
    : m_logFolder(std::move(logFolder)), m_debugMode(debugMode), m_positions(MoveList::Capacity + 1)
{
    InitPGN();
}

void TPGN::InitPGN()
{
    ClearTags();
    m_linesRead = 0;
    m_gameStartLine = 0;
    m_errorText = NoError;
}

void TPGN::ClearTags()
{
    m_tags = RawTags{};
    for (auto *tag : {&m_tags.Event, &m_tags.Site, &m_tags.Date, &m_tags.White, &m_tags.Black})
        *tag = "?";
    m_tags.Round = "?";
    m_tags.Result = "?";
    m_tags.ECO = "?";
    m_movetext.clear();
}

bool TPGN::OpenPGN(const std::filesystem::path &fileName)
{
    if (m_file.is_open())
        m_file.close();
    m_file.clear();
    m_fileName = fileName;
    m_file.open(fileName, std::ios::binary);
    m_linesRead = 0;
    return m_file.is_open();
}

bool TPGN::ClosePGN()
{
    if (!m_file.is_open())
        return true;
    m_file.clear();  // reading to the end leaves eofbit and failbit set
    m_file.close();
    return !m_file.fail();
}

bool TPGN::AtEnd()
{
    return !m_file.is_open() || m_file.peek() == std::ifstream::traits_type::eof();
}

std::string TPGN::ReadLine()
{
    std::string line;
    std::getline(m_file, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    ++m_linesRead;
    return CutLine(std::move(line));
}

void TPGN::StoreTag(std::string_view line)
{
    const auto value = [&] { return TagValue(line); };
    if (Contains(line, "[Event ")) m_tags.Event = value();
    else if (Contains(line, "[Site ")) m_tags.Site = value();
    else if (Contains(line, "[Date \"")) m_tags.Date = value();
    else if (Contains(line, "[Round ")) m_tags.Round = value();
    else if (Contains(line, "[White ")) m_tags.White = NormalizePlayerName(value());
    else if (Contains(line, "[Black ")) m_tags.Black = NormalizePlayerName(value());
    else if (Contains(line, "[Result ")) m_tags.Result = value();
    else if (Contains(line, "[WhiteELO ")) m_tags.WhiteELO = value();
    else if (Contains(line, "[BlackELO ")) m_tags.BlackELO = value();
    else if (Contains(line, "[WhiteNA ")) m_tags.WhiteNA = value();
    else if (Contains(line, "[BlackNA ")) m_tags.BlackNA = value();
    else if (Contains(line, "[WhiteCountry ")) m_tags.WhiteCountry = value();
    else if (Contains(line, "[BlackCountry ")) m_tags.BlackCountry = value();
    else if (Contains(line, "[ECO ")) m_tags.ECO = value();
    else if (Contains(line, "[FEN ")) m_tags.FEN = value();
}

bool TPGN::ReadGame(bool wantMovetext)
{
    ClearTags();
    std::string line;
    for (;;) {
        if (AtEnd())
            return false;
        line = std::string(TrimLeft(ReadLine()));
        if (Contains(line, "[") || AtEnd() || line.starts_with("1."))
            break;
    }
    m_gameStartLine = m_linesRead;

    if (Contains(line, "[")) {
        for (;;) {
            StoreTag(line);
            if (AtEnd())
                return false;
            line = std::string(TrimLeft(ReadLine()));
            if (StartsMovetext(line))
                break;
        }
    }
    if (AtEnd())
        return false;
    if (!wantMovetext)
        return true;

    bool inComment = false;
    while (!AtEnd()) {
        if (Contains(line, "[Event "))
            break;
        std::string kept = StripComments(line, inComment);
        if (!kept.empty() && !kept.starts_with('%'))
            m_movetext.push_back(std::move(kept));
        line = ReadLine();
        if (AtEnd() && !line.empty())
            m_movetext.push_back(line);
    }
    return true;
}

void TPGN::CopyTagsToGame()
{
    m_game.White = m_tags.White.view();
    m_game.Black = m_tags.Black.view();
    m_game.Event = m_tags.Event.view();
    m_game.Site = m_tags.Site.view();
    m_game.Result = m_tags.Result.view();
    m_game.Date = m_tags.Date.view();
    m_game.Round = m_tags.Round.view();
    m_game.WhiteELO = m_tags.WhiteELO.view();
    m_game.BlackELO = m_tags.BlackELO.view();
    m_game.WhiteNA = m_tags.WhiteNA.view();
    m_game.BlackNA = m_tags.BlackNA.view();
    m_game.WhiteCountry = m_tags.WhiteCountry.view();
    m_game.BlackCountry = m_tags.BlackCountry.view();
    m_game.ECO = m_tags.ECO.view();
}

void TPGN::ParseToken(std::string token, int ply, bool interactive)
{
    while (true) {
        const auto dot = token.find('.');
        if (dot == std::string::npos)
            break;
        token.erase(0, dot + 1);
    }
    token = CastlingWithLetters(std::string(Trim(token)));
    if (token.empty())
        return;
    m_position.SetWhiteToMove(PlyIsWhite(m_game, ply));
    if (token.front() == '$')
        return;

    const std::string_view setup = ply == 1 && m_game.Setup ? m_game.SetupFEN.view() : std::string_view();
    try {
        if (ply == 1 && m_game.Setup && !m_setupPlaced)
            throw PGNtoTLMexception("the set-up's placement cannot be read");
        m_game.Moves[ply] = ApplySanMove(m_position, setup, token);
    } catch (const std::exception &) {
        if (m_debugMode)
            WriteMoveLog();
        if (!IsResultToken(token))
            m_errorText = "Error parsing move " + std::to_string((ply + 1) / 2) + " \"" + token +
                          "\" If it is a desambiguation problem, it is caused by a bug at PGN parser"
                          " that has not been fixed yet.";
        throw;
    }
    m_game.MoveCount = std::uint16_t(ply);

    if (!interactive) {
        m_game.CurrentPly = std::uint16_t(ply);
        m_position.SetCastleWhiteShort(CanCastleWhiteShort(m_game));
        m_position.SetCastleWhiteLong(CanCastleWhiteLong(m_game));
        m_position.SetCastleBlackShort(CanCastleBlackShort(m_game));
        m_position.SetCastleBlackLong(CanCastleBlackLong(m_game));
        m_position.SetWhiteToMove(SideToMoveIsWhite(m_game));
        m_positions[std::size_t(ply)] = m_position.ToFEN().substr(0, 150);
        m_game.CurrentPly = 0;
    }
}

void TPGN::ParseMoves(bool interactive)
{
    m_errorText = NoError;
    ResetMoveLibrary();
    m_position = TChessPosition();
    std::fill(m_positions.begin(), m_positions.end(), std::string());

    m_game = GameRecord{};
    m_game.RecordId = "TLM300";
    CopyTagsToGame();

    if (!m_tags.FEN.empty()) {
        m_game.Setup = true;
        std::string fen = m_tags.FEN.str();
        if (!Contains(fen, " w") && !Contains(fen, " b"))
            fen += " w";
        m_game.SetupFEN = fen;
        // The reader keeps what it could read of a set-up text, but a
        // placement it cannot read leaves it another board than the move
        // library's: the moves are then refused, as for a set-up the library
        // refuses.
        m_setupPlaced = TChessPosition().SetPlacement(m_game.SetupFEN.view());
        m_position.FromFEN(m_game.SetupFEN.view(), m_game.Position);
        m_game.StartWhiteToMove = m_position.WhiteToMove();
    }

    m_movesLeftOver = false;
    int ply = 1;
    try {
        for (auto line = m_movetext.begin(); line != m_movetext.end(); ++line) {
            std::string_view rest = *line;
            if (const auto semicolon = rest.find(';'); semicolon != std::string_view::npos)
                rest = rest.substr(0, semicolon);
            while (!(rest = TrimLeft(rest)).empty()) {
                const auto blank = std::find_if(rest.begin(), rest.end(), IsMovetextSpace);
                const std::size_t length = blank == rest.end() ? rest.size() : std::size_t(blank - rest.begin()) + 1;
                const std::string_view token = rest.substr(0, length);
                rest.remove_prefix(length);
                const int before = m_game.MoveCount;
                ParseToken(std::string(token), ply, interactive);
                if (m_game.MoveCount == before)
                    continue;
                if (++ply > MaxPlies) {
                    m_movesLeftOver = HoldsHalfMove(rest) || std::any_of(line + 1, m_movetext.end(), HoldsHalfMove);
                    return;
                }
            }
        }
    } catch (const std::exception &) {
        // A refused token ends the movetext; ErrorText() tells whether it
        // was a result token.
    }
}

const std::string &TPGN::PositionAfter(int ply) const
{
    return m_positions.at(std::size_t(ply));
}

void TPGN::WriteMoveLog() const
{
    std::ofstream log(m_logFolder / "pgn.log", std::ios::binary | std::ios::trunc);
    for (const std::string &line : m_movetext)
        log << line << '\n';
}
