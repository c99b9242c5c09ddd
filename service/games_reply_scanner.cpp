#include "service/games_reply_scanner.h"

#include "service/xfcc_wire.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Thrown for anything outside the plain form; the full reader takes over.
struct Declined {};

[[noreturn]] void Decline() { throw Declined{}; }

constexpr std::string_view Latin1(QLatin1String s) { return {s.data(), std::size_t(s.size())}; }

bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Whether c is a character XML allows.
bool IsXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

class Scanner
{
public:
    explicit Scanner(QByteArrayView reply) : m_p(reply.data()), m_end(reply.data() + reply.size()) {}

    ArrayOfXfccGame games()
    {
        readProlog();
        if (nextBesideText() != Token::Start || !is(SoapEnvelopeNamespace, "Envelope"))
            Decline();
        if (!findChild([this] { return is(SoapEnvelopeNamespace, "Body"); }) || !readNextStartElement())
            Decline();
        if (!is(XfccNamespace, "GetMyGamesResponse"))
            Decline();  // a fault, or another answer
        if (!findChild([this] { return inServiceNamespace() && m_local == "GetMyGamesResult"; }))
            Decline();
        ArrayOfXfccGame games;
        while (readNextStartElement()) {
            if (inServiceNamespace() && m_local == "XfccGame")
                readGame(games.emplace_back());
            else
                skipCurrentElement();
        }
        while (nextBesideText() != Token::End_Of_Input) {
        }
        return games;
    }

private:
    enum class Token { Start, End, Text, End_Of_Input };

    struct Binding {
        std::string_view prefix;  // empty for the default namespace
        std::string_view uri;
        int depth;
    };
    struct Element {
        std::string_view qname;
    };

    // The byte order mark, the XML declaration in its plain form, blanks.
    void readProlog()
    {
        if (m_end - m_p >= 3 && std::memcmp(m_p, "\xEF\xBB\xBF", 3) == 0)
            m_p += 3;
        if (!startsWith("<?xml"))
            return;
        m_p += 5;
        const auto pseudoAttribute = [this](std::string_view name) {
            const char *start = m_p;
            skipSpaces();
            if (m_p == start || !startsWith(name))
                return std::string_view();
            m_p += name.size();
            skipSpaces();
            if (m_p == m_end || *m_p++ != '=')
                Decline();
            skipSpaces();
            if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
                Decline();
            const char quote = *m_p++;
            const char *value = m_p;
            while (m_p != m_end && *m_p != quote)
                ++m_p;
            if (m_p == m_end)
                Decline();
            return std::string_view(value, std::size_t(m_p++ - value));
        };
        const char *afterXml = m_p;
        if (pseudoAttribute("version") != "1.0")
            Decline();
        const char *afterVersion = m_p;
        if (const std::string_view encoding = pseudoAttribute("encoding"); !encoding.empty()) {
            if (encoding.size() != 5 || qstrnicmp(encoding.data(), "utf-8", 5) != 0)
                Decline();
        } else {
            m_p = afterVersion;
        }
        const char *afterEncoding = m_p;
        if (const std::string_view standalone = pseudoAttribute("standalone"); !standalone.empty()) {
            if (standalone != "yes" && standalone != "no")
                Decline();
        } else {
            m_p = afterEncoding;
        }
        skipSpaces();
        if (!startsWith("?>") || m_p == afterXml)
            Decline();
        m_p += 2;
    }

    Token next()
    {
        if (m_closeEmpty) {
            m_closeEmpty = false;
            closeElement();
            return Token::End;
        }
        if (m_p == m_end) {
            if (!m_open.empty() || !m_rootSeen)
                Decline();
            return Token::End_Of_Input;
        }
        if (*m_p != '<') {
            const char *start = m_p;
            const char *lt = static_cast<const char *>(std::memchr(m_p, '<', std::size_t(m_end - m_p)));
            m_p = lt ? lt : m_end;
            m_text = std::string_view(start, std::size_t(m_p - start));
            if (m_open.empty() && !std::all_of(m_text.begin(), m_text.end(), IsSpace))
                Decline();
            return Token::Text;
        }
        if (m_end - m_p >= 2 && m_p[1] == '/') {
            readEndTag();
            return Token::End;
        }
        readStartTag();
        return Token::Start;
    }

    std::string_view readName()
    {
        const char *start = m_p;
        if (m_p == m_end || !IsNameStart(*m_p))
            Decline();
        while (m_p != m_end && (IsNameChar(*m_p) || *m_p == ':'))
            ++m_p;
        return {start, std::size_t(m_p - start)};
    }

    void readStartTag()
    {
        if (m_open.empty() && m_rootSeen)
            Decline();  // a second root element
        ++m_p;  // "<"
        const std::string_view qname = readName();
        const int depth = int(m_open.size()) + 1;
        for (;;) {
            const char *beforeSpace = m_p;
            skipSpaces();
            if (m_p == m_end)
                Decline();
            if (*m_p == '>' || *m_p == '/')
                break;
            if (m_p == beforeSpace)
                Decline();
            readNamespaceDeclaration(depth);
        }
        if (*m_p == '/') {
            if (m_end - m_p < 2 || m_p[1] != '>')
                Decline();
            m_closeEmpty = true;
            ++m_p;
        }
        ++m_p;
        m_rootSeen = true;
        m_open.push_back({qname});
        resolve(qname);
    }

    // xmlns="uri" or xmlns:prefix="uri": the only attributes of the plain form.
    void readNamespaceDeclaration(int depth)
    {
        const std::string_view name = readName();
        std::string_view prefix;
        if (name.starts_with("xmlns:"))
            prefix = name.substr(6);
        else if (name != "xmlns")
            Decline();
        if (prefix == "xml" || prefix == "xmlns" || prefix.find(':') != std::string_view::npos
            || (name.size() > 5 && (prefix.empty() || !IsNameStart(prefix.front()))))
            Decline();
        skipSpaces();
        if (m_p == m_end || *m_p++ != '=')
            Decline();
        skipSpaces();
        if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
            Decline();
        const char quote = *m_p++;
        const char *value = m_p;
        // Plain characters only: no references, no blanks to normalise.
        while (m_p != m_end && *m_p != quote) {
            const unsigned char c = static_cast<unsigned char>(*m_p);
            if (c < 0x21 || c >= 0x7F || c == '<' || c == '&')
                Decline();
            ++m_p;
        }
        if (m_p == m_end)
            Decline();
        const std::string_view uri(value, std::size_t(m_p++ - value));
        if ((!prefix.empty() && uri.empty()) || uri == "http://www.w3.org/XML/1998/namespace"
            || uri == "http://www.w3.org/2000/xmlns/")
            Decline();
        for (auto b = m_bindings.rbegin(); b != m_bindings.rend() && b->depth == depth; ++b)
            if (b->prefix == prefix)
                Decline();  // declared twice
        m_bindings.push_back({prefix, uri, depth});
    }

    void resolve(std::string_view qname)
    {
        const auto colon = qname.find(':');
        const std::string_view prefix = colon == std::string_view::npos ? std::string_view() : qname.substr(0, colon);
        m_local = colon == std::string_view::npos ? qname : qname.substr(colon + 1);
        if (m_local.empty() || !IsNameStart(m_local.front()) || m_local.find(':') != std::string_view::npos
            || prefix == "xml" || prefix == "xmlns")
            Decline();
        m_uri = {};
        for (auto b = m_bindings.rbegin(); b != m_bindings.rend(); ++b) {
            if (b->prefix == prefix) {
                m_uri = b->uri;
                return;
            }
        }
        if (!prefix.empty())
            Decline();  // undeclared prefix
    }

    void readEndTag()
    {
        m_p += 2;  // "</"
        const std::string_view qname = readName();
        skipSpaces();
        if (m_p == m_end || *m_p != '>' || m_open.empty() || m_open.back().qname != qname)
            Decline();
        ++m_p;
        closeElement();
    }

    void closeElement()
    {
        const int depth = int(m_open.size());
        while (!m_bindings.empty() && m_bindings.back().depth == depth)
            m_bindings.pop_back();
        m_open.pop_back();
    }

    // The next token that is not text; the text passed over is checked all
    // the same.
    Token nextBesideText()
    {
        Token token;
        while ((token = next()) == Token::Text) {
            appendText(m_text, m_ignored);
            m_ignored.resize(0);
        }
        return token;
    }

    bool readNextStartElement()
    {
        switch (nextBesideText()) {
        case Token::Start: return true;
        case Token::End: return false;
        default: Decline();
        }
    }

    void skipCurrentElement()
    {
        for (int depth = 1; depth > 0;) {
            switch (nextBesideText()) {
            case Token::Start: ++depth; break;
            case Token::End: --depth; break;
            default: Decline();
            }
        }
    }

    template <typename Predicate>
    bool findChild(Predicate wanted)
    {
        while (readNextStartElement()) {
            if (wanted())
                return true;
            skipCurrentElement();
        }
        return false;
    }

    // The text of the current element, which must hold no elements.
    void readText(QString &text)
    {
        text.resize(0);
        for (;;) {
            switch (next()) {
            case Token::Text: appendText(m_text, text); break;
            case Token::End: return;
            default: Decline();
            }
        }
    }

    void readGame(XfccGame &game)
    {
        const XfccGameField *hint = XfccGameFields.data();
        while (readNextStartElement()) {
            const XfccGameField *field = inServiceNamespace() ? findField(hint) : nullptr;
            if (!field) {
                skipCurrentElement();
                continue;
            }
            hint = field + 1;
            readText(m_value);
            const bool isText = std::holds_alternative<QString XfccGame::*>(field->member);
            if (!isText && QStringView(m_value).trimmed().isEmpty())
                continue;
            if (!field->setText(game, m_value))
                Decline();
        }
    }

    const XfccGameField *findField(const XfccGameField *hint) const
    {
        if (hint < XfccGameFields.end() && m_local == Latin1(hint->name))
            return hint;
        for (const XfccGameField &field : XfccGameFields)
            if (m_local == Latin1(field.name))
                return &field;
        return nullptr;
    }

    // Appends the text's characters, its references resolved, to out.
    static void appendText(std::string_view bytes, QString &out)
    {
        const qsizetype start = out.size();
        out.resize(start + qsizetype(bytes.size()));  // UTF-16 never needs more units than UTF-8 bytes
        QChar *to = out.data() + start;
        const auto put = [&to](char32_t c) {
            if (c >= 0x10000) {
                *to++ = QChar::highSurrogate(c);
                *to++ = QChar::lowSurrogate(c);
            } else {
                *to++ = QChar(char16_t(c));
            }
        };
        const char *p = bytes.data(), *const end = p + bytes.size();
        while (p != end) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c >= 0x20 && c < 0x7F && c != '&' && c != '>') {
                *to++ = QChar(char16_t(c));
                ++p;
            } else if (c == '&') {
                put(reference(p, end));
            } else if (c == '>') {
                if (p - bytes.data() >= 2 && p[-1] == ']' && p[-2] == ']')
                    Decline();  // "]]>" may not stand in text
                *to++ = QChar(u'>');
                ++p;
            } else if (c < 0x80) {
                if (c != '\t' && c != '\n')
                    Decline();  // a control character, or a carriage return to normalise
                *to++ = QChar(char16_t(c));
                ++p;
            } else {
                put(utf8Sequence(p, end));
            }
        }
        out.resize(to - out.constData());
    }

    // One UTF-8 sequence of an XML character.
    static char32_t utf8Sequence(const char *&p, const char *end)
    {
        const unsigned char lead = static_cast<unsigned char>(*p);
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || end - p < length)
            Decline();
        char32_t c = lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const unsigned char continuation = static_cast<unsigned char>(p[i]);
            if ((continuation & 0xC0) != 0x80)
                Decline();
            c = (c << 6) | (continuation & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < smallest[length] || !IsXmlChar(c) || c < 0xA0)
            Decline();  // over-long, a surrogate, a control character or not an XML character
        p += length;
        return c;
    }

    // A predefined entity or a character reference, p on its "&".
    static char32_t reference(const char *&p, const char *end)
    {
        const char *semicolon = p + 1;
        while (semicolon != end && *semicolon != ';' && semicolon - p < 12)
            ++semicolon;
        if (semicolon == end || *semicolon != ';')
            Decline();
        const std::string_view name(p + 1, std::size_t(semicolon - p - 1));
        p = semicolon + 1;
        if (name == "lt") return '<';
        if (name == "gt") return '>';
        if (name == "amp") return '&';
        if (name == "quot") return '"';
        if (name == "apos") return '\'';
        if (name.size() < 2 || name[0] != '#')
            Decline();
        const bool hex = name[1] == 'x';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty())
            Decline();
        char32_t c = 0;
        for (const char d : digits) {
            int value = -1;
            if (d >= '0' && d <= '9') value = d - '0';
            else if (hex && d >= 'a' && d <= 'f') value = d - 'a' + 10;
            else if (hex && d >= 'A' && d <= 'F') value = d - 'A' + 10;
            if (value < 0)
                Decline();
            c = c * (hex ? 16 : 10) + char32_t(value);
            if (c > 0x10FFFF)
                Decline();
        }
        if ((!IsXmlChar(c) && c != 0xD) || (c >= 0x7F && c < 0xA0))
            Decline();
        return c;
    }

    bool is(QLatin1String uri, std::string_view local) const { return m_local == local && m_uri == Latin1(uri); }
    bool inServiceNamespace() const { return m_uri.empty() || m_uri == Latin1(XfccNamespace); }

    bool startsWith(std::string_view s) const
    {
        return std::size_t(m_end - m_p) >= s.size() && std::memcmp(m_p, s.data(), s.size()) == 0;
    }
    void skipSpaces()
    {
        while (m_p != m_end && IsSpace(*m_p))
            ++m_p;
    }

    const char *m_p;
    const char *const m_end;
    std::vector<Element> m_open;
    std::vector<Binding> m_bindings;
    std::string_view m_local, m_uri;  // of the latest start tag
    std::string_view m_text;          // of the latest text
    bool m_closeEmpty = false;        // the latest start tag was "<.../>"
    bool m_rootSeen = false;
    QString m_value, m_ignored;
};

} // namespace

std::optional<ArrayOfXfccGame> ScanGetMyGamesReply(QByteArrayView reply)
{
    try {
        return Scanner(reply).games();
    } catch (const Declined &) {
        return std::nullopt;
    }
}
