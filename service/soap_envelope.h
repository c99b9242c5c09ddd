#pragma once

#include "service/xfcc_types.h"

#include <QByteArray>
#include <QLatin1String>
#include <QStringList>

#include <functional>
#include <optional>
#include <span>

class QXmlStreamWriter;

// SOAP 1.1 messages of the service: writing envelopes, and the client's
// reading of replies. Reading throws EXfccError with the fault string for a SOAP
// fault and with a clear text for anything that is not the expected message.

// A UTF-8 SOAP 1.1 envelope ("soap" prefix); writeBody writes the body's content.
QByteArray WriteSoapEnvelope(const std::function<void(QXmlStreamWriter &)> &writeBody);
// Text that reads back unchanged, carriage returns included.
void WriteServiceText(QXmlStreamWriter &xml, const QString &text);
// An element in the service namespace holding text that reads back unchanged.
void WriteServiceTextElement(QXmlStreamWriter &xml, QLatin1String name, const QString &text);

// A UTF-8 envelope whose body holds the operation element with one child per
// parameter, in the given order, all in the service namespace.
QByteArray WriteSoapRequest(QLatin1String operation, std::span<const QLatin1String> parameters,
                            const QStringList &values);

ArrayOfXfccGame ReadGetMyGamesResponse(const QByteArray &reply);
// The same with the full XML reader alone, without the one-pass scan of
// plain replies (games_reply_scanner.h) that ReadGetMyGamesResponse tries
// first.
ArrayOfXfccGame ReadGetMyGamesResponseWithXmlReader(const QByteArray &reply);
MakeAMoveResult ReadMakeAMoveResponse(const QByteArray &reply);

// The fault string when the reply is a SOAP fault; nothing otherwise.
std::optional<QString> ReadSoapFault(const QByteArray &reply);
