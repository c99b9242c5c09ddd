#pragma once

#include <QObject>
#include <QString>

// The translatable texts of a file dialog that the program opens through the
// prompts seam: a title and a filter in the form "Description|pattern|...".
// A window owns one per dialog, named for the dialog it stands for, so that
// its word list can translate them.
class TFileDialogTexts : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)

public:
    using QObject::QObject;

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }

    // The filter as Qt's file dialogs take it: "PGN files (*.pgn)".
    QString qtFilter() const { return toQtFilter(m_filter); }
    static QString toQtFilter(const QString &filter);

private:
    QString m_title;
    QString m_filter;
};
