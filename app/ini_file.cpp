#include "app/ini_file.h"

#include "app/atomic_file.h"

#include <QFile>
#include <QStringDecoder>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isQuoted(const QByteArray &value)
{
    return value.size() >= 2 && value.startsWith('"') && value.endsWith('"');
}

// As the profile readers of the system the format comes from: the value
// after "=", without the blanks around it and one pair of double quotes
// around the whole.
QByteArray valueOf(const QByteArray &line)
{
    const QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

// A value's text with every character its bytes hold: a byte-order mark at its
// start is part of it, and a sequence cut at its end a replacement character,
// so that the value writes back as it was read.
QString decodedValue(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::System,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

} // namespace

TIniFile::TIniFile(QString fileName)
    : m_fileName(std::move(fileName))
{
}

bool TIniFile::exists() const
{
    return QFile::exists(m_fileName);
}

bool TIniFile::load()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        parse({});
        return false;
    }
    parse(file.readAll());
    return true;
}

void TIniFile::parse(const QByteArray &contents)
{
    m_lines.clear();
    QByteArray text = contents;
    m_bom.clear();
    if (text.startsWith("\xEF\xBB\xBF")) {
        m_bom = text.left(3);
        text.remove(0, 3);
    }
    // A file of line feeds whose unended last line ends in a carriage return
    // is taken as one of carriage returns and line feeds: written back with a
    // line feed alone, that line would end in both and read back shorter.
    const bool lineFeeds = text.contains('\n') && !text.contains("\r\n") && !text.endsWith('\r');
    m_lineEnd = lineFeeds ? "\n" : "\r\n";
    if (text.endsWith('\n'))
        text.chop(1);
    if (text.isEmpty() && contents.isEmpty())
        return;
    const QList<QByteArray> texts = text.split('\n');
    m_lines.reserve(texts.size());
    for (const QByteArray &raw : texts) {
        Line line{raw.endsWith('\r') ? raw.chopped(1) : raw, Line::Kind::Other, {}};
        const QByteArray trimmed = line.text.trimmed();
        if (trimmed.isEmpty()) {
            line.kind = Line::Kind::Blank;
        } else if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            line.kind = Line::Kind::Section;
            line.name = QString::fromLocal8Bit(trimmed.mid(1, trimmed.size() - 2).trimmed());
        } else if (const qsizetype eq = trimmed.indexOf('='); eq > 0 && !trimmed.startsWith(';')) {
            line.kind = Line::Kind::Key;
            line.name = QString::fromLocal8Bit(trimmed.left(eq).trimmed());
        }
        m_lines.append(std::move(line));
    }
}

QByteArray TIniFile::contents() const
{
    QByteArray out = m_bom;
    for (const Line &line : m_lines)
        out += line.text + m_lineEnd;
    return out;
}

void TIniFile::save() const
{
    WriteFileAtomically(m_fileName, contents(), OwnerOnly);
}

qsizetype TIniFile::findKey(const QString &section, const QString &key) const
{
    bool inSection = false;
    for (auto line = m_lines.cbegin(); line != m_lines.cend(); ++line) {
        if (line->kind == Line::Kind::Section)
            inSection = sameName(line->name, section);
        else if (inSection && line->kind == Line::Kind::Key && sameName(line->name, key))
            return line - m_lines.cbegin();
    }
    return -1;
}

qsizetype TIniFile::sectionEnd(const QString &section) const
{
    qsizetype end = -1;
    bool inSection = false;
    for (auto line = m_lines.cbegin(); line != m_lines.cend(); ++line) {
        if (line->kind == Line::Kind::Section) {
            if (inSection)
                return end;
            inSection = sameName(line->name, section);
            if (inSection)
                end = line - m_lines.cbegin() + 1;
        } else if (inSection && line->kind != Line::Kind::Blank) {
            end = line - m_lines.cbegin() + 1;
        }
    }
    return end;
}

bool TIniFile::hasKey(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

QString TIniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    const qsizetype i = findKey(section, key);
    return i < 0 ? fallback : decodedValue(valueOf(m_lines[i].text));
}

int TIniFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    const qsizetype i = findKey(section, key);
    if (i < 0)
        return fallback;
    QByteArray value = valueOf(m_lines[i].text);
    bool ok = false;
    int result = 0;
    if (value.startsWith('$'))
        result = value.mid(1).toInt(&ok, 16);
    else if (value.startsWith("0x") || value.startsWith("0X"))
        result = value.mid(2).toInt(&ok, 16);
    else
        result = value.toInt(&ok, 10);
    return ok ? result : fallback;
}

bool TIniFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    // A value that is itself in quotes gets one pair more, which reading drops.
    const QByteArray bytes = value.toLocal8Bit();
    const QByteArray text = key.toLocal8Bit() + '=' + (isQuoted(bytes) ? '"' + bytes + '"' : bytes);
    if (const qsizetype i = findKey(section, key); i >= 0) {
        m_lines[i].text = text;
        return;
    }
    if (const qsizetype end = sectionEnd(section); end >= 0) {
        m_lines.insert(end, Line{text, Line::Kind::Key, key});
        return;
    }
    const QByteArray sectionBytes = section.toLocal8Bit();
    m_lines.append(Line{'[' + sectionBytes + ']', Line::Kind::Section, section});
    m_lines.append(Line{text, Line::Kind::Key, key});
}

void TIniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}
