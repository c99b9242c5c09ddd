#pragma once

#include "service/xfcc_types.h"

#include <QByteArray>
#include <QLatin1String>
#include <QStringList>

// The server's side of the SOAP 1.1 messages: requests read as strictly as a
// real server reads them, replies and faults written.

// A request the server refuses; sent back as a SOAP fault.
struct SoapFault {
    QString code;  // "soap:Client", "soap:Server", "soap:VersionMismatch"
    QString text;
};

// One call: the operation and its arguments in the declared parameter order.
struct SoapCall {
    QLatin1String operation;
    QStringList arguments;
};

// Checks the SOAPAction header against the body, the envelope and operation
// namespaces and the parameter elements (names, order, no extras, text only).
// Throws SoapFault.
SoapCall ReadSoapCall(const QByteArray &body, const QByteArray &soapAction);

QByteArray WriteGetMyGamesResponse(const ArrayOfXfccGame &games);
QByteArray WriteMakeAMoveResponse(const MakeAMoveResult &result);
QByteArray WriteSoapFault(const SoapFault &fault);
