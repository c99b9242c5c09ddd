#pragma once

#include <QString>
#include <QStringList>

// One configured server. Each lives in a four-line file named after it in the
// servers folder: service address, user name, password, web site.
struct ServerEntry
{
    QString Name;
    QString ServiceUrl;
    QString UserName;
    QString Password;
    QString WebSite;

    bool operator==(const ServerEntry &) const = default;
};

// The server files of folder, as the file system lists them: every plain,
// visible file is a server, whatever its name.
QStringList ListServerFiles(const QString &folder);

// Reads folder/name; missing lines read as empty texts, lines after the
// fourth are ignored. Throws std::runtime_error when the file cannot be read.
ServerEntry ReadServerFile(const QString &folder, const QString &name);

// Creates or replaces folder/entry.Name with the four lines, each ended by
// CR LF, readable by its owner only (it holds the password). Throws
// std::runtime_error on failure, and before anything is written when the name
// is not a server name (app/server_name.h); an old file then stays intact.
void WriteServerFile(const QString &folder, const ServerEntry &entry);

QString ServerFileName(const QString &folder, const QString &name);
