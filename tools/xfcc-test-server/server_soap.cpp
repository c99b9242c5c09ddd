#include "tools/xfcc-test-server/server_soap.h"

#include "service/soap_envelope.h"
#include "service/xfcc_wire.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <span>

namespace {

const QString ClientFault = QStringLiteral("soap:Client");

[[noreturn]] void refuse(const QString &text, const QString &code = ClientFault)
{
    throw SoapFault{code, text};
}

class RequestReader
{
public:
    explicit RequestReader(const QByteArray &body) : m_xml(body) {}

    SoapCall read(QLatin1String operation, std::span<const QLatin1String> parameters)
    {
        if (!nextElement())
            refuse(QStringLiteral("The request holds no XML element"));
        if (m_xml.name() != u"Envelope")
            refuse(QStringLiteral("The request is not a SOAP envelope"));
        if (m_xml.namespaceUri() != SoapEnvelopeNamespace)
            refuse(QStringLiteral("The envelope is not in the SOAP 1.1 namespace"),
                   QStringLiteral("soap:VersionMismatch"));
        if (!nextElement())
            refuse(QStringLiteral("The envelope has no body"));
        if (isEnvelopeElement(u"Header")) {
            m_xml.skipCurrentElement();
            if (!nextElement())
                refuse(QStringLiteral("The envelope has no body"));
        }
        if (!isEnvelopeElement(u"Body"))
            refuse(QStringLiteral("Unexpected element \"%1\" in the envelope").arg(m_xml.qualifiedName()));
        if (!nextElement())
            refuse(QStringLiteral("The body is empty"));
        if (m_xml.name() != operation || m_xml.namespaceUri() != XfccNamespace)
            refuse(QStringLiteral("The body holds \"%1\" in the namespace \"%2\"; the action asks for \"%3\" in \"%4\"")
                       .arg(m_xml.name(), m_xml.namespaceUri(), operation, XfccNamespace));

        SoapCall call{operation, {}};
        for (const QLatin1String parameter : parameters) {
            if (!nextElement())
                refuse(QStringLiteral("The parameter \"%1\" is missing").arg(parameter));
            if (m_xml.name() != parameter || m_xml.namespaceUri() != XfccNamespace)
                refuse(QStringLiteral("Expected the parameter \"%1\" in \"%2\", found \"%3\" in \"%4\"")
                           .arg(parameter, XfccNamespace, m_xml.name(), m_xml.namespaceUri()));
            call.arguments.append(m_xml.readElementText());
            checkWellFormed();
        }
        if (nextElement())
            refuse(QStringLiteral("Unexpected element \"%1\" after the parameters").arg(m_xml.name()));
        if (nextElement())
            refuse(QStringLiteral("Unexpected element \"%1\" after the operation").arg(m_xml.name()));
        while (!m_xml.atEnd())
            m_xml.readNext();
        checkWellFormed();
        return call;
    }

private:
    // The next child element of the current one; false at the current one's end.
    bool nextElement()
    {
        const bool found = m_xml.readNextStartElement();
        checkWellFormed();
        return found;
    }

    bool isEnvelopeElement(QStringView name) const
    {
        return m_xml.name() == name && m_xml.namespaceUri() == SoapEnvelopeNamespace;
    }

    void checkWellFormed() const
    {
        if (m_xml.hasError())
            refuse(QStringLiteral("The request is not well-formed XML: %1 (line %2, column %3)")
                       .arg(m_xml.errorString())
                       .arg(m_xml.lineNumber())
                       .arg(m_xml.columnNumber()));
    }

    QXmlStreamReader m_xml;
};

QByteArray writeResponse(QLatin1String operation, const std::function<void(QXmlStreamWriter &)> &writeResult)
{
    return WriteSoapEnvelope([&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QString(operation) + QLatin1String("Response"));
        xml.writeDefaultNamespace(XfccNamespace);
        xml.writeStartElement(XfccNamespace, QString(operation) + QLatin1String("Result"));
        writeResult(xml);
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

} // namespace

SoapCall ReadSoapCall(const QByteArray &body, const QByteArray &soapAction)
{
    if (soapAction == XfccSoapAction(GetMyGamesOperation))
        return RequestReader(body).read(GetMyGamesOperation, GetMyGamesParameters);
    if (soapAction == XfccSoapAction(MakeAMoveOperation))
        return RequestReader(body).read(MakeAMoveOperation, MakeAMoveParameters);
    refuse(QStringLiteral("Server did not recognize the value of HTTP Header SOAPAction: %1")
               .arg(QString::fromUtf8(soapAction)));
}

QByteArray WriteGetMyGamesResponse(const ArrayOfXfccGame &games)
{
    return writeResponse(GetMyGamesOperation, [&](QXmlStreamWriter &xml) {
        for (const XfccGame &game : games) {
            xml.writeStartElement(XfccNamespace, QStringLiteral("XfccGame"));
            for (const XfccGameField &field : XfccGameFields)
                WriteServiceTextElement(xml, field.name, field.text(game));
            xml.writeEndElement();
        }
    });
}

QByteArray WriteMakeAMoveResponse(const MakeAMoveResult &result)
{
    return writeResponse(MakeAMoveOperation,
                         [&](QXmlStreamWriter &xml) { WriteServiceText(xml, result.name()); });
}

QByteArray WriteSoapFault(const SoapFault &fault)
{
    return WriteSoapEnvelope([&](QXmlStreamWriter &xml) {
        xml.writeStartElement(SoapEnvelopeNamespace, QStringLiteral("Fault"));
        xml.writeTextElement(QStringLiteral("faultcode"), fault.code);
        xml.writeTextElement(QStringLiteral("faultstring"), fault.text);
        xml.writeEndElement();
    });
}
