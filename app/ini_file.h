#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An initialisation file: "[SECTION]" headers and "KEY=value" lines. Reading
// and writing keep every other line, the order of keys and the bytes of
// values as they are; section and key names match without regard to case.
// Lines that are neither (comments, junk) are kept and otherwise ignored.
// A value read loses one pair of double quotes around it, as the system's own
// profile readers drop them; writing such a value adds a pair.
class TIniFile
{
public:
    TIniFile() = default;
    explicit TIniFile(QString fileName);

    const QString &fileName() const { return m_fileName; }
    bool exists() const;

    // Loads the file; a missing or unreadable file leaves it empty. Returns
    // whether the file could be read.
    bool load();
    void parse(const QByteArray &contents);
    QByteArray contents() const;

    // Replaces the file atomically, readable by its owner only; throws
    // std::runtime_error on failure, leaving the old file untouched.
    void save() const;

    bool hasKey(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal with an optional sign, or hexadecimal after "$" or "0x"; anything
    // else (or a value out of range) yields the fallback.
    int readInteger(const QString &section, const QString &key, int fallback) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;

    // Changes the value in place, or appends the key to the end of its section,
    // or appends a new section at the end of the file.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

private:
    struct Line {
        enum class Kind { Blank, Other, Section, Key };  // Other: a comment or junk
        QByteArray text;  // the line without its line end
        Kind kind = Kind::Other;
        QString name;     // the section's or key's name, decoded once for every lookup
    };

    qsizetype findKey(const QString &section, const QString &key) const;
    qsizetype sectionEnd(const QString &section) const;

    QString m_fileName;
    QByteArray m_bom;
    QByteArray m_lineEnd = "\r\n";
    QList<Line> m_lines;
};
