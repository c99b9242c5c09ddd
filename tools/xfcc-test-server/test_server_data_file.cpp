#include "tools/xfcc-test-server/test_server_data_file.h"

#include "service/xfcc_wire.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <cmath>

namespace {

using Side = TestGame::Side;

// The fields a game's view makes for the player who asks.
bool isPerPlayerField(QLatin1String name)
{
    static const QSet<QString> names{
        QStringLiteral("myTurn"),        QStringLiteral("hasWhite"),
        QStringLiteral("moves"),         QStringLiteral("drawOffered"),
        QStringLiteral("message"),       QStringLiteral("daysPlayer"),
        QStringLiteral("hoursPlayer"),   QStringLiteral("minutesPlayer"),
        QStringLiteral("daysOpponent"),  QStringLiteral("hoursOpponent"),
        QStringLiteral("minutesOpponent")};
    return names.contains(name);
}

class Reader
{
public:
    explicit Reader(const QString &fileName) : m_fileName(fileName) {}

    [[noreturn]] void fail(const QString &where, const QString &what) const
    {
        throw EDataFileError(QStringLiteral("%1: %2: %3").arg(m_fileName, where, what).toStdString());
    }

    QString string(const QJsonValue &value, const QString &where) const
    {
        if (!value.isString())
            fail(where, QStringLiteral("a text is expected"));
        return value.toString();
    }

    int integer(const QJsonValue &value, const QString &where) const
    {
        const double number = value.toDouble(NAN);
        if (!value.isDouble() || number != std::trunc(number) || number < INT_MIN || number > INT_MAX)
            fail(where, QStringLiteral("a 32-bit integer is expected"));
        return int(number);
    }

    QJsonObject object(const QJsonValue &value, const QString &where) const
    {
        if (!value.isObject())
            fail(where, QStringLiteral("an object is expected"));
        return value.toObject();
    }

    QJsonArray array(const QJsonValue &value, const QString &where) const
    {
        if (!value.isArray())
            fail(where, QStringLiteral("a list is expected"));
        return value.toArray();
    }

    TestGame::Clock clock(const QJsonValue &value, const QString &where) const
    {
        TestGame::Clock clock;
        const QJsonObject object = this->object(value, where);
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString key = where + u'.' + it.key();
            if (it.key() == u"days")
                clock.days = integer(*it, key);
            else if (it.key() == u"hours")
                clock.hours = integer(*it, key);
            else if (it.key() == u"minutes")
                clock.minutes = integer(*it, key);
            else
                fail(key, QStringLiteral("unknown key"));
        }
        return clock;
    }

    void commonField(XfccGame &game, const XfccGameField &field, const QJsonValue &value,
                     const QString &where) const
    {
        struct Store {
            const Reader &reader;
            XfccGame &game;
            const QJsonValue &value;
            const QString &where;
            void operator()(int XfccGame::*m) const { game.*m = reader.integer(value, where); }
            void operator()(QString XfccGame::*m) const { game.*m = reader.string(value, where); }
            void operator()(Result XfccGame::*m) const
            {
                game.*m = Result::fromName(reader.string(value, where));
            }
            void operator()(bool XfccGame::*m) const
            {
                if (!value.isBool())
                    reader.fail(where, QStringLiteral("true or false is expected"));
                game.*m = value.toBool();
            }
        };
        std::visit(Store{*this, game, value, where}, field.member);
    }

    TestGame game(const QJsonValue &value, const QString &where) const
    {
        TestGame game;
        const QJsonObject object = this->object(value, where);
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString key = it.key();
            const QString at = where + u'.' + key;
            if (key == u"whiteUser") {
                game.whiteUser = string(*it, at);
            } else if (key == u"blackUser") {
                game.blackUser = string(*it, at);
            } else if (key == u"moves") {
                for (const QJsonValue &move : array(*it, at))
                    game.moves.append(string(move, at));
            } else if (key == u"whiteMessage") {
                game.whiteMessage = string(*it, at);
            } else if (key == u"blackMessage") {
                game.blackMessage = string(*it, at);
            } else if (key == u"drawOfferedBy") {
                const QString side = string(*it, at);
                if (side != u"white" && side != u"black")
                    fail(at, QStringLiteral("\"white\" or \"black\" is expected"));
                game.drawOfferedBy = side == u"white" ? Side::White : Side::Black;
            } else if (key == u"whiteTime") {
                game.whiteClock = clock(*it, at);
            } else if (key == u"blackTime") {
                game.blackClock = clock(*it, at);
            } else if (const XfccGameField *field = FindXfccGameField(key);
                       field && !isPerPlayerField(field->name)) {
                commonField(game.common, *field, *it, at);
            } else {
                fail(at, QStringLiteral("unknown key"));
            }
        }
        if (!object.contains(u"id"))
            fail(where, QStringLiteral("the game has no \"id\""));
        tlm::Board board;
        if (!game.position(board))
            fail(where, QStringLiteral("the set-up FEN or a move cannot be played"));
        return game;
    }

    TestServerState state(const QJsonObject &root) const
    {
        TestServerState state;
        for (auto it = root.begin(); it != root.end(); ++it) {
            if (it.key() == u"users") {
                const QJsonArray users = array(*it, it.key());
                for (qsizetype i = 0; i < users.size(); ++i) {
                    const QString at = QStringLiteral("users[%1]").arg(i);
                    const QJsonObject user = object(users[i], at);
                    if (user.size() != 2 || !user.contains(u"username") || !user.contains(u"password"))
                        fail(at, QStringLiteral("a user has exactly \"username\" and \"password\""));
                    state.passwords.insert(string(user[u"username"], at + QLatin1String(".username")),
                                           string(user[u"password"], at + QLatin1String(".password")));
                }
            } else if (it.key() == u"games") {
                const QJsonArray games = array(*it, it.key());
                QSet<int> ids;
                for (qsizetype i = 0; i < games.size(); ++i) {
                    const QString at = QStringLiteral("games[%1]").arg(i);
                    state.games.append(game(games[i], at));
                    if (ids.contains(state.games.last().common.id))
                        fail(at, QStringLiteral("another game has the same id"));
                    ids.insert(state.games.last().common.id);
                }
            } else {
                fail(it.key(), QStringLiteral("unknown key"));
            }
        }
        return state;
    }

private:
    QString m_fileName;
};

QJsonValue commonFieldJson(const XfccGame &game, const XfccGameField &field)
{
    struct Json {
        const XfccGame &game;
        QJsonValue operator()(int XfccGame::*m) const { return game.*m; }
        QJsonValue operator()(bool XfccGame::*m) const { return game.*m; }
        QJsonValue operator()(QString XfccGame::*m) const { return game.*m; }
        QJsonValue operator()(Result XfccGame::*m) const { return (game.*m).name(); }
    };
    return std::visit(Json{game}, field.member);
}

QJsonObject clockJson(const TestGame::Clock &clock)
{
    return {{QStringLiteral("days"), clock.days},
            {QStringLiteral("hours"), clock.hours},
            {QStringLiteral("minutes"), clock.minutes}};
}

QJsonObject gameJson(const TestGame &game)
{
    const XfccGame blank;
    QJsonObject object;
    for (const XfccGameField &field : XfccGameFields) {
        if (!isPerPlayerField(field.name) && (field.name == u"id" || field.text(game.common) != field.text(blank)))
            object.insert(field.name, commonFieldJson(game.common, field));
    }
    object.insert(QStringLiteral("whiteUser"), game.whiteUser);
    object.insert(QStringLiteral("blackUser"), game.blackUser);
    object.insert(QStringLiteral("moves"), QJsonArray::fromStringList(game.moves));
    object.insert(QStringLiteral("whiteMessage"), game.whiteMessage);
    object.insert(QStringLiteral("blackMessage"), game.blackMessage);
    if (game.drawOfferedBy != Side::None)
        object.insert(QStringLiteral("drawOfferedBy"),
                      game.drawOfferedBy == Side::White ? QStringLiteral("white") : QStringLiteral("black"));
    object.insert(QStringLiteral("whiteTime"), clockJson(game.whiteClock));
    object.insert(QStringLiteral("blackTime"), clockJson(game.blackClock));
    return object;
}

} // namespace

TestServerState LoadTestServerData(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EDataFileError(QStringLiteral("%1: %2").arg(fileName, file.errorString()).toStdString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw EDataFileError(QStringLiteral("%1: at byte %2: %3")
                                 .arg(fileName)
                                 .arg(error.offset)
                                 .arg(error.errorString())
                                 .toStdString());
    const Reader reader(fileName);
    if (!document.isObject())
        reader.fail(QStringLiteral("top level"), QStringLiteral("an object is expected"));
    return reader.state(document.object());
}

void SaveTestServerData(const QString &fileName, const TestServerState &state)
{
    QJsonArray users;
    for (auto it = state.passwords.begin(); it != state.passwords.end(); ++it)
        users.append(QJsonObject{{QStringLiteral("username"), it.key()},
                                 {QStringLiteral("password"), it.value()}});
    QJsonArray games;
    for (const TestGame &game : state.games)
        games.append(gameJson(game));
    const QJsonObject root{{QStringLiteral("users"), users}, {QStringLiteral("games"), games}};

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0 || !file.commit())
        throw EDataFileError(QStringLiteral("%1: %2").arg(fileName, file.errorString()).toStdString());
}
