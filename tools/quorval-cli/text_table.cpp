#include "tools/quorval-cli/text_table.h"

#include <algorithm>

void WriteTextTable(QTextStream &out, const QStringList &headings, const QList<QStringList> &rows)
{
    QList<qsizetype> widths;
    for (const QString &heading : headings)
        widths << heading.size();
    for (const QStringList &row : rows) {
        for (qsizetype column = 0; column < widths.size(); ++column)
            widths[column] = std::max(widths[column], row.value(column).size());
    }
    const auto writeRow = [&](const QStringList &row) {
        QString line;
        for (qsizetype column = 0; column < widths.size(); ++column) {
            const QString text = row.value(column);
            line += column + 1 < widths.size() ? text.leftJustified(widths[column] + 2) : text;
        }
        out << line.trimmed() << '\n';
    };
    writeRow(headings);
    for (const QStringList &row : rows)
        writeRow(row);
}
