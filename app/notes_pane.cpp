#include "app/notes_pane.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <stdexcept>

TNotesPane::TNotesPane(const QString &programFolder, std::function<QString(const QString &)> translate,
                       QWidget *parent)
    : QWidget(parent)
    , m_notes(programFolder)
    , m_translate(std::move(translate))
    , m_edit(new QPlainTextEdit(this))
    , m_problem(new QLabel(this))
{
    setObjectName(QStringLiteral("notesPane"));
    auto *title = new QLabel(QStringLiteral("My notes"), this);
    title->setObjectName(QStringLiteral("notesTitle"));
    m_edit->setObjectName(QStringLiteral("notesEdit"));
    m_edit->setEnabled(false);
    m_problem->setObjectName(QStringLiteral("notesProblem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_problem);

    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(std::chrono::milliseconds(1500));
    connect(&m_saveTimer, &QTimer::timeout, this, &TNotesPane::flush);
    connect(m_edit, &QPlainTextEdit::textChanged, this, [this] {
        if (m_loading || !m_hasGame)
            return;
        m_unsaved = true;
        m_saveTimer.start();
    });
}

void TNotesPane::showGame(const QString &server, int gameId)
{
    const Key key{server, gameId};
    if (m_hasGame && key == m_game)
        return;
    flush();
    if (m_unsaved)  // kept for the next try
        m_unwritten.insert(m_game, m_edit->toPlainText());
    m_game = key;
    m_hasGame = true;
    m_unsaved = m_unwritten.contains(key);
    QString text = m_unwritten.take(key);
    if (!m_unsaved) {
        try {
            text = m_notes.read(server, gameId);
        } catch (const std::runtime_error &failure) {
            showProblem(QStringLiteral("@notesnotread"), QString::fromUtf8(failure.what()));
        }
    }
    m_loading = true;
    m_edit->setPlainText(text);
    m_loading = false;
    m_edit->setEnabled(true);
}

void TNotesPane::showNoGame()
{
    flush();
    if (m_unsaved)
        m_unwritten.insert(m_game, m_edit->toPlainText());
    m_unsaved = false;
    m_hasGame = false;
    m_loading = true;
    m_edit->clear();
    m_loading = false;
    m_edit->setEnabled(false);
}

bool TNotesPane::write(const Key &key, const QString &text)
{
    try {
        m_notes.write(key.server, key.gameId, text);
        return true;
    } catch (const std::runtime_error &failure) {
        showProblem(QStringLiteral("@notesnotsaved"), QString::fromUtf8(failure.what()));
        return false;
    }
}

bool TNotesPane::flush()
{
    m_saveTimer.stop();
    bool written = true;
    for (auto it = m_unwritten.begin(); it != m_unwritten.end();) {
        if (write(it.key(), it.value())) {
            it = m_unwritten.erase(it);
            continue;
        }
        written = false;
        ++it;
    }
    if (m_unsaved && m_hasGame) {
        if (write(m_game, m_edit->toPlainText()))
            m_unsaved = false;
        else
            written = false;
    }
    if (written)
        m_problem->hide();
    return written;
}

QString TNotesPane::text() const
{
    return m_edit->toPlainText();
}

QString TNotesPane::problem() const
{
    return m_problem->isHidden() ? QString() : m_problem->text();
}

void TNotesPane::showProblem(const QString &id, const QString &reason)
{
    m_problem->setText(m_translate(id) + QLatin1Char(' ') + reason);
    m_problem->show();
}
