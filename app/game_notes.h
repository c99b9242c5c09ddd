#pragma once

#include <QString>

// The player's own notes on their games: one UTF-8 file a game,
// "notes/<server>/<game id>.txt" in the program folder. They stay on this
// computer; nothing of them is ever sent to a server.
class TGameNotes
{
public:
    explicit TGameNotes(const QString &programFolder);

    // The notes of a game; empty when it has none. Throws std::runtime_error
    // when the file exists but cannot be read.
    QString read(const QString &server, int gameId) const;
    // Replaces them atomically; empty notes remove the file. Throws
    // std::runtime_error when they cannot be written, or for a server name
    // that would leave the notes folder.
    void write(const QString &server, int gameId, const QString &text) const;

    // Whether the server has notes on any game, and removing them all.
    bool hasNotes(const QString &server) const;
    void removeAll(const QString &server) const;

    QString fileName(const QString &server, int gameId) const;

private:
    QString serverFolder(const QString &server) const;

    QString m_folder;
};

// The notes as a PGN comment: "{...}" with braces inside made parentheses,
// so that the comment ends where it should. Empty for empty notes.
QString NotesAsPgnComment(const QString &notes);
