#pragma once

#include "service/xfcc_types.h"

#include <QByteArrayView>

#include <optional>

// Reads a GetMyGames reply in the plain form servers write, in one pass over
// its bytes: UTF-8, elements with namespace declarations as their only
// attributes, and text with the predefined entities and character
// references. For such a reply it gives the games the full XML reader gives.
// Anything beyond that form (another encoding, a document type, comments,
// CDATA, processing instructions, other attributes, carriage returns), a
// fault, and every error give nothing: the full reader then reads the reply
// and says what is wrong.
std::optional<ArrayOfXfccGame> ScanGetMyGamesReply(QByteArrayView reply);
