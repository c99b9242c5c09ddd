#include "app/server_name.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

bool IsReservedDeviceName(const QString &name)
{
    // The part before the first dot counts: "nul.txt" names the device too.
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                             QRegularExpression::CaseInsensitiveOption);
    return reserved.match(name.section(QLatin1Char('.'), 0, 0).trimmed()).hasMatch();
}

} // namespace

ServerNameProblem CheckServerName(const QString &name)
{
    if (name.isEmpty())
        return ServerNameProblem::Empty;
    if (name.size() > MaxServerNameLength)
        return ServerNameProblem::TooLong;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1String("..")))
        return ServerNameProblem::PathCharacters;
    if (name.startsWith(QLatin1Char('.')))
        return ServerNameProblem::LeadingDot;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return ServerNameProblem::ControlCharacter;
    }
    if (IsReservedDeviceName(name))
        return ServerNameProblem::ReservedName;
    return ServerNameProblem::None;
}

QString ServerNameProblemMessageId(ServerNameProblem problem)
{
    switch (problem) {
    case ServerNameProblem::None:
    case ServerNameProblem::Empty:  // the add-server dialog asks for a name first
        return {};
    case ServerNameProblem::TooLong:
        return QStringLiteral("@servernametoolong");
    case ServerNameProblem::PathCharacters:
        return QStringLiteral("@servernamepath");
    case ServerNameProblem::LeadingDot:
        return QStringLiteral("@servernamedot");
    case ServerNameProblem::ControlCharacter:
        return QStringLiteral("@servernamecontrol");
    case ServerNameProblem::ReservedName:
        return QStringLiteral("@servernamereserved");
    }
    return {};
}

bool IsWebAddress(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty();
}
