#include "service/soap_envelope.h"

#include "service/games_reply_scanner.h"
#include "service/xfcc_error.h"
#include "service/xfcc_wire.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

// A fault reply's text. Kept apart from EXfccError so that ReadSoapFault can
// tell a fault from a reply that cannot be read.
struct SoapFault {
    QString text;
};

// Walks a reply envelope down to the result element of one operation.
class ReplyReader
{
public:
    ReplyReader(const QByteArray &reply, QLatin1String operation)
        : m_xml(reply), m_operation(operation)
    {
    }

    // Positions the reader on the result element, in the service namespace
    // or unqualified. Throws SoapFault for a fault, and EXfccError naming the
    // missing element when the response holds no such result.
    void enterResult()
    {
        readProlog();
        if (!m_xml.isStartElement() || !isEnvelopeElement(u"Envelope"))
            fail(QStringLiteral("The server's reply is not a SOAP envelope"));
        if (!findChild([this] { return isEnvelopeElement(u"Body"); }))
            fail(QStringLiteral("The server's reply has no SOAP body"));
        if (!m_xml.readNextStartElement())
            fail(QStringLiteral("The server's reply has an empty SOAP body"));
        if (isEnvelopeElement(u"Fault"))
            throw SoapFault{readFaultString()};
        if (!isServiceElement(m_operation, u"Response"))
            fail(QStringLiteral("The server did not answer %1: its reply holds \"%2\" in \"%3\"")
                     .arg(m_operation, m_xml.name(), m_xml.namespaceUri()));
        QString skipped;
        const bool found = findChild([&] {
            if (isResultElement())
                return true;
            skipped = QStringLiteral("\"%1\" in \"%2\"").arg(m_xml.name(), m_xml.namespaceUri());
            return false;
        });
        if (!found)
            fail(QStringLiteral("The server's %1 reply holds no \"%1Result\" element in \"%2\" or without a "
                                "namespace%3")
                     .arg(m_operation, XfccNamespace,
                          skipped.isEmpty() ? QString() : QStringLiteral("; it holds ") + skipped));
    }

    QXmlStreamReader &xml() { return m_xml; }

    // The text of the current element, which must hold no elements, into
    // `text`; reusing one buffer spares an allocation per field.
    void readText(QString &text)
    {
        text.resize(0);
        for (;;) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::Characters:
                text.append(m_xml.text());
                break;
            case QXmlStreamReader::Comment:
            case QXmlStreamReader::ProcessingInstruction:
                break;
            case QXmlStreamReader::EndElement:
                return;
            case QXmlStreamReader::StartElement:
                m_xml.raiseError(QStringLiteral("Unexpected element \"%1\" inside a value").arg(m_xml.name()));
                [[fallthrough]];
            default:
                checkWellFormed();
                fail(QStringLiteral("The server's reply ends inside a value"));
            }
        }
    }

    // Reads to the end so that a cut or broken reply is noticed.
    void finish()
    {
        while (!m_xml.atEnd())
            m_xml.readNext();
        checkWellFormed();
    }

    void checkWellFormed()
    {
        if (m_xml.hasError())
            throw EXfccError(QStringLiteral("The server's reply is not valid XML: %1 (line %2, column %3)")
                                 .arg(m_xml.errorString())
                                 .arg(m_xml.lineNumber())
                                 .arg(m_xml.columnNumber()),
                         EXfccError::Kind::Reply);
    }

    // An XML error anywhere explains more than its consequence, so it is
    // reported first.
    [[noreturn]] void fail(const QString &text)
    {
        while (!m_xml.atEnd())
            m_xml.readNext();
        checkWellFormed();
        throw EXfccError(text, EXfccError::Kind::Reply);
    }

    // Games and their fields in the service namespace, or unqualified as some
    // servers write them.
    bool isServiceNamespace() const
    {
        const QStringView ns = m_xml.namespaceUri();
        return ns == XfccNamespace || ns.isEmpty();
    }

private:
    // Reads up to the first element. SOAP messages carry no document type
    // declaration; one in a reply can only serve to declare entities that
    // blow up or reach outside, so it is refused.
    void readProlog()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartDocument:
            case QXmlStreamReader::Comment:
            case QXmlStreamReader::ProcessingInstruction:
            case QXmlStreamReader::Characters:
                continue;
            case QXmlStreamReader::DTD:
                throw EXfccError(QStringLiteral("The server's reply holds a document type declaration, "
                                                "which SOAP messages may not have"));
            default:
                break;
            }
            break;
        }
        checkWellFormed();
    }

    bool isEnvelopeElement(QStringView name) const
    {
        return m_xml.name() == name && m_xml.namespaceUri() == SoapEnvelopeNamespace;
    }

    bool isServiceElement(QLatin1String operation, QStringView suffix) const
    {
        const QStringView name = m_xml.name();
        return m_xml.namespaceUri() == XfccNamespace && name.size() == operation.size() + suffix.size()
            && name.startsWith(operation) && name.endsWith(suffix);
    }

    bool isResultElement() const
    {
        const QStringView name = m_xml.name();
        return isServiceNamespace() && name.size() == m_operation.size() + 6 && name.startsWith(m_operation)
            && name.endsWith(u"Result");
    }

    template <typename Predicate>
    bool findChild(Predicate wanted)
    {
        while (m_xml.readNextStartElement()) {
            if (wanted())
                return true;
            m_xml.skipCurrentElement();
        }
        checkWellFormed();
        return false;
    }

    // The text of the current element and of all elements inside it. Read
    // in a loop rather than by recursion, so that deep nesting cannot
    // exhaust the stack.
    QString readTextWithin()
    {
        QString text;
        for (int depth = 1; depth > 0 && !m_xml.atEnd();) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                ++depth;
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            case QXmlStreamReader::Characters:
                text.append(m_xml.text());
                break;
            default:
                break;
            }
        }
        return text;
    }

    QString readFaultString()
    {
        QString faultString;
        QString faultCode;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"faultstring")
                faultString = readTextWithin();
            else if (m_xml.name() == u"faultcode")
                faultCode = readTextWithin();
            else
                m_xml.skipCurrentElement();
        }
        checkWellFormed();
        faultString = faultString.trimmed();
        faultCode = faultCode.trimmed();
        if (!faultString.isEmpty())
            return faultString;
        if (!faultCode.isEmpty())
            return QStringLiteral("The server reported a fault (%1)").arg(faultCode);
        return QStringLiteral("The server reported a fault");
    }

    QXmlStreamReader m_xml;
    QLatin1String m_operation;
};

bool isNil(const QXmlStreamReader &xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (attributes.isEmpty())
        return false;
    const QStringView nil = attributes.value(
        QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("nil"));
    return nil == u"true" || nil == u"1";
}

void readGame(ReplyReader &reader, XfccGame &game)
{
    QXmlStreamReader &xml = reader.xml();
    QString text;
    const XfccGameField *hint = XfccGameFields.data();
    while (xml.readNextStartElement()) {
        const XfccGameField *field = reader.isServiceNamespace() ? FindXfccGameField(xml.name(), hint)
                                                                 : nullptr;
        if (!field || isNil(xml)) {
            xml.skipCurrentElement();
            continue;
        }
        hint = field + 1;
        reader.readText(text);
        const bool isText = std::holds_alternative<QString XfccGame::*>(field->member);
        if (!isText && text.trimmed().isEmpty())
            continue;  // an empty number or flag leaves the default
        if (!field->setText(game, text))
            reader.fail(QStringLiteral("The server's reply has an invalid value for \"%1\": \"%2\"")
                            .arg(field->name, text.left(40)));
    }
}

template <typename Read>
auto readReply(const QByteArray &reply, QLatin1String operation, Read read)
{
    ReplyReader reader(reply, operation);
    try {
        reader.enterResult();
        auto value = read(reader);
        reader.finish();
        return value;
    } catch (const SoapFault &fault) {
        throw EXfccError(fault.text, EXfccError::Kind::Fault);
    }
}

} // namespace

QByteArray WriteSoapEnvelope(const std::function<void(QXmlStreamWriter &)> &writeBody)
{
    QByteArray envelope;
    QXmlStreamWriter xml(&envelope);
    xml.writeStartDocument();
    xml.writeNamespace(SoapEnvelopeNamespace, QStringLiteral("soap"));
    xml.writeStartElement(SoapEnvelopeNamespace, QStringLiteral("Envelope"));
    xml.writeStartElement(SoapEnvelopeNamespace, QStringLiteral("Body"));
    writeBody(xml);
    xml.writeEndDocument();
    return envelope;
}

void WriteServiceText(QXmlStreamWriter &xml, const QString &text)
{
    // A literal carriage return would read back as a line feed.
    qsizetype start = 0;
    for (qsizetype cr = text.indexOf(u'\r'); cr >= 0; cr = text.indexOf(u'\r', start)) {
        xml.writeCharacters(text.sliced(start, cr - start));
        xml.writeEntityReference(QStringLiteral("#13"));
        start = cr + 1;
    }
    xml.writeCharacters(text.sliced(start));
}

void WriteServiceTextElement(QXmlStreamWriter &xml, QLatin1String name, const QString &text)
{
    xml.writeStartElement(XfccNamespace, name);
    WriteServiceText(xml, text);
    xml.writeEndElement();
}

QByteArray WriteSoapRequest(QLatin1String operation, std::span<const QLatin1String> parameters,
                            const QStringList &values)
{
    Q_ASSERT(parameters.size() == std::size_t(values.size()));
    return WriteSoapEnvelope([&](QXmlStreamWriter &xml) {
        xml.writeStartElement(operation);
        xml.writeDefaultNamespace(XfccNamespace);
        for (std::size_t i = 0; i < parameters.size(); ++i)
            WriteServiceTextElement(xml, parameters[i], values[qsizetype(i)]);
        xml.writeEndElement();
    });
}

ArrayOfXfccGame ReadGetMyGamesResponse(const QByteArray &reply)
{
    // A game list is the one large reply: read in one pass over its bytes
    // when it has the plain form, by the full reader otherwise.
    if (std::optional<ArrayOfXfccGame> games = ScanGetMyGamesReply(reply))
        return std::move(*games);
    return ReadGetMyGamesResponseWithXmlReader(reply);
}

ArrayOfXfccGame ReadGetMyGamesResponseWithXmlReader(const QByteArray &reply)
{
    return readReply(reply, GetMyGamesOperation, [](ReplyReader &reader) {
        ArrayOfXfccGame games;
        QXmlStreamReader &xml = reader.xml();
        while (xml.readNextStartElement()) {
            if (xml.name() == u"XfccGame" && reader.isServiceNamespace())
                readGame(reader, games.emplace_back());
            else
                xml.skipCurrentElement();
        }
        return games;
    });
}

MakeAMoveResult ReadMakeAMoveResponse(const QByteArray &reply)
{
    return readReply(reply, MakeAMoveOperation, [](ReplyReader &reader) {
        const QString name = reader.xml().readElementText().trimmed();
        reader.checkWellFormed();
        return MakeAMoveResult::fromName(name);
    });
}

std::optional<QString> ReadSoapFault(const QByteArray &reply)
{
    try {
        ReplyReader(reply, QLatin1String()).enterResult();
    } catch (const SoapFault &fault) {
        return fault.text;
    } catch (const EXfccError &) {
    }
    return std::nullopt;
}
