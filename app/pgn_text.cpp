#include "app/pgn_text.h"

#include "app/game_notes.h"
#include "chess/pgn_export.h"

QString ExportPGNText(const XfccGame &server, const GameRecord &game, const QStringList &comments,
                      bool includeComments, const QString &notes)
{
    const auto s = [](const QString &text) { return text.toStdString(); };
    const PGNExportTags tags{s(server.event),   s(server.site),          s(server.eventDate),
                             s(server.white),   s(server.black),         s(ResultToString(server.result)),
                             s(server.whiteNA), s(server.blackNA),       s(server.board)};
    std::vector<std::string> lines;
    for (const QString &line : comments)
        lines.push_back(line.toStdString());
    QString text = QString::fromStdString(::ExportPGNText(tags, game, lines, includeComments));
    // The movetext follows the empty line after the tags.
    const QString comment = NotesAsPgnComment(notes);
    if (const qsizetype movetext = text.indexOf(QStringLiteral("\r\n\r\n")); !comment.isEmpty() && movetext >= 0)
        text.insert(movetext + 4, comment + QStringLiteral("\r\n"));
    return text;
}
