#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A copy of the scripted engine in a folder of its own, with its script.
// The engine reads the script from, and records what it receives in, the
// folder it is started in.
class TScriptedEngine
{
public:
    explicit TScriptedEngine(const QString &script, const QString &name = QStringLiteral("scripted"))
        : m_file(m_dir.filePath(name))
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::copy(QStringLiteral(SCRIPTED_ENGINE), m_file));
        QFile scriptFile(m_dir.filePath(QStringLiteral("script.txt")));
        QVERIFY(scriptFile.open(QIODevice::WriteOnly));
        scriptFile.write(script.toUtf8());
    }

    QString File() const { return m_file; }
    QString Folder() const { return m_dir.path(); }

    // Every command received so far, one a line.
    QString ReceivedFile() const { return m_dir.filePath(QStringLiteral("received.txt")); }

private:
    QTemporaryDir m_dir;
    QString m_file;
};
