#pragma once

#include <QList>
#include <QStringList>
#include <QTextStream>

// Writes the rows under the headings, each column as wide as its widest text
// and two blanks from the next; the last column is not padded.
void WriteTextTable(QTextStream &out, const QStringList &headings, const QList<QStringList> &rows);
