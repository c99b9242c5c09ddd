#pragma once

#include "app/game_notes.h"

#include <QHash>
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;

// The player's notes on the shown game, beside the move list. What is typed
// is written a moment after typing stops, and at once when the game or the
// window changes. Notes that cannot be written are kept, the pane says so,
// and they are written with the next try.
class TNotesPane : public QWidget
{
    Q_OBJECT
public:
    // translate gives the texts of "@" ids in the active language.
    TNotesPane(const QString &programFolder, std::function<QString(const QString &)> translate,
               QWidget *parent = nullptr);

    // Writes what is pending, then shows the notes of that game.
    void showGame(const QString &server, int gameId);
    // Writes what is pending and shows no game.
    void showNoGame();
    // Writes what is pending now, of this game and of those whose notes
    // could not be written before; false, with the pane saying why, when
    // some could not be written.
    bool flush();

    QString text() const;
    QString problem() const;  // what the pane says about writing; empty when all is saved
    bool hasUnsavedText() const { return m_unsaved; }
    // How long typing must stop before the notes are written.
    void setSaveDelay(std::chrono::milliseconds delay) { m_saveTimer.setInterval(delay); }

private:
    struct Key {
        QString server;
        int gameId;
        bool operator==(const Key &) const = default;
        friend size_t qHash(const Key &key, size_t seed = 0) { return qHashMulti(seed, key.server, key.gameId); }
    };
    void showProblem(const QString &id, const QString &reason);
    bool write(const Key &key, const QString &text);

    TGameNotes m_notes;
    std::function<QString(const QString &)> m_translate;
    QPlainTextEdit *m_edit;
    QLabel *m_problem;
    QTimer m_saveTimer;
    Key m_game;
    bool m_hasGame = false;
    QHash<Key, QString> m_unwritten;  // of other games, kept until they can be written
    bool m_unsaved = false;
    bool m_loading = false;
};
