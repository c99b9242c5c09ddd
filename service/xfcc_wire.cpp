#include "service/xfcc_wire.h"

QByteArray XfccSoapAction(QLatin1String operation)
{
    return '"' + QByteArray(XfccNamespace.data(), XfccNamespace.size()) + '/'
         + QByteArray(operation.data(), operation.size()) + '"';
}

QString XfccBoolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

std::optional<bool> ParseXfccBool(QStringView text)
{
    text = text.trimmed();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return std::nullopt;
}

std::optional<int> ParseXfccInt(QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString XfccGameField::text(const XfccGame &game) const
{
    struct Writer {
        const XfccGame &game;
        QString operator()(int XfccGame::*m) const { return QString::number(game.*m); }
        QString operator()(bool XfccGame::*m) const { return XfccBoolText(game.*m); }
        QString operator()(QString XfccGame::*m) const { return game.*m; }
        QString operator()(Result XfccGame::*m) const { return (game.*m).name(); }
    };
    return std::visit(Writer{game}, member);
}

bool XfccGameField::setText(XfccGame &game, QStringView text) const
{
    struct Reader {
        XfccGame &game;
        QStringView text;
        bool operator()(int XfccGame::*m) const
        {
            const auto value = ParseXfccInt(text);
            if (value)
                game.*m = *value;
            return value.has_value();
        }
        bool operator()(bool XfccGame::*m) const
        {
            const auto value = ParseXfccBool(text);
            if (value)
                game.*m = *value;
            return value.has_value();
        }
        bool operator()(QString XfccGame::*m) const
        {
            game.*m = text.toString();
            return true;
        }
        bool operator()(Result XfccGame::*m) const
        {
            game.*m = Result::fromName(text.trimmed());
            return true;
        }
    };
    return std::visit(Reader{game, text}, member);
}

#define XFCC_FIELD(name) XfccGameField{QLatin1String(#name), &XfccGame::name}

const std::array<XfccGameField, 33> XfccGameFields{
    XFCC_FIELD(id),           XFCC_FIELD(white),         XFCC_FIELD(black),
    XFCC_FIELD(event),        XFCC_FIELD(site),          XFCC_FIELD(myTurn),
    XFCC_FIELD(hasWhite),     XFCC_FIELD(moves),         XFCC_FIELD(drawOffered),
    XFCC_FIELD(message),      XFCC_FIELD(serverInfo),    XFCC_FIELD(whiteTitle),
    XFCC_FIELD(blackTitle),   XFCC_FIELD(whiteElo),      XFCC_FIELD(blackElo),
    XFCC_FIELD(whiteNA),      XFCC_FIELD(blackNA),       XFCC_FIELD(eventSponsor),
    XFCC_FIELD(section),      XFCC_FIELD(stage),         XFCC_FIELD(board),
    XFCC_FIELD(timeControl),  XFCC_FIELD(setup),         XFCC_FIELD(fen),
    XFCC_FIELD(result),       XFCC_FIELD(daysPlayer),    XFCC_FIELD(hoursPlayer),
    XFCC_FIELD(minutesPlayer), XFCC_FIELD(daysOpponent), XFCC_FIELD(hoursOpponent),
    XFCC_FIELD(minutesOpponent), XFCC_FIELD(gameLink),   XFCC_FIELD(eventDate),
};

#undef XFCC_FIELD

const XfccGameField *FindXfccGameField(QStringView name, const XfccGameField *hint)
{
    if (hint && hint >= XfccGameFields.begin() && hint < XfccGameFields.end() && name == hint->name)
        return hint;
    for (const XfccGameField &field : XfccGameFields) {
        if (name == field.name)
            return &field;
    }
    return nullptr;
}
