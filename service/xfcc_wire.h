#pragma once

#include "service/xfcc_types.h"

#include <QLatin1String>
#include <QString>

#include <array>
#include <optional>
#include <variant>

// How the XfccBasic service looks on the wire: its namespaces, the parameters
// of its operations, the text form of values and the fields of a game.

inline constexpr QLatin1String XfccNamespace("http://www.bennedik.com/webservices/XfccBasic");
inline constexpr QLatin1String SoapEnvelopeNamespace("http://schemas.xmlsoap.org/soap/envelope/");

// The address used when a proxy is made for an empty address: the local test
// server on its default port.
inline constexpr QLatin1String XfccDefaultServiceAddress("http://127.0.0.1:8765/XfccBasic.asmx");

inline constexpr QLatin1String GetMyGamesOperation("GetMyGames");
inline constexpr QLatin1String MakeAMoveOperation("MakeAMove");

// The parameter elements of each operation, in their declared order.
inline constexpr std::array<QLatin1String, 2> GetMyGamesParameters{
    QLatin1String("username"), QLatin1String("password")};
inline constexpr std::array<QLatin1String, 10> MakeAMoveParameters{
    QLatin1String("username"), QLatin1String("password"), QLatin1String("gameId"),
    QLatin1String("resign"),   QLatin1String("acceptDraw"), QLatin1String("movecount"),
    QLatin1String("myMove"),   QLatin1String("offerDraw"),  QLatin1String("claimDraw"),
    QLatin1String("myMessage")};

// The "SOAPAction" header value of an operation, quotes included.
QByteArray XfccSoapAction(QLatin1String operation);

QString XfccBoolText(bool value);
// Schema lexical forms, surrounding white space allowed: "true"/"false"/"1"/"0";
// integers in decimal within 32 bits. Anything else gives no value.
std::optional<bool> ParseXfccBool(QStringView text);
std::optional<int> ParseXfccInt(QStringView text);

// One field of XfccGame: its element name and its member.
struct XfccGameField {
    using Member = std::variant<int XfccGame::*, bool XfccGame::*, QString XfccGame::*,
                                Result XfccGame::*>;
    QLatin1String name;
    Member member;

    QString text(const XfccGame &game) const;
    // Stores a value given in its wire form; false when the text is not a value
    // of the field's type (the game is then unchanged).
    bool setText(XfccGame &game, QStringView text) const;
};

// The fields of XfccGame in their declared order.
extern const std::array<XfccGameField, 33> XfccGameFields;

// The field with that element name, nullptr when there is none. `hint` is tried
// first (replies usually list the fields in order).
const XfccGameField *FindXfccGameField(QStringView name, const XfccGameField *hint = nullptr);
