#pragma once

#include "service/xfcc_types.h"

#include <QByteArray>
#include <QLatin1String>
#include <QStringList>

#include <span>

// The client's side of the SOAP 1.1 messages: request envelopes out, reply
// envelopes in. Reading throws EXfccError with the fault string for a SOAP
// fault and with a clear text for anything that is not the expected message.

// A UTF-8 envelope whose body holds the operation element with one child per
// parameter, in the given order, all in the service namespace.
QByteArray WriteSoapRequest(QLatin1String operation, std::span<const QLatin1String> parameters,
                            const QStringList &values);

ArrayOfXfccGame ReadGetMyGamesResponse(const QByteArray &reply);
MakeAMoveResult ReadMakeAMoveResponse(const QByteArray &reply);

// The fault string when the reply is a SOAP fault; nothing otherwise.
std::optional<QString> ReadSoapFault(const QByteArray &reply);
