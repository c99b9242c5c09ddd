#pragma once

#include <QLatin1String>
#include <QString>

#include <cstddef>

// An enumeration that travels on the wire by its name. Definition supplies
// `enum Value { ..., Other }` and `Names`, the wire names of the values before
// Other in ordinal order. A name the program does not know reads as Other and
// is kept, so that a message can show what the server sent.
template <typename Definition>
class XfccEnum : public Definition
{
public:
    using Value = typename Definition::Value;

    XfccEnum(Value value = Value(0)) : m_value(value) {}

    static XfccEnum fromName(QStringView name)
    {
        for (std::size_t i = 0; i < Definition::Names.size(); ++i) {
            if (name == QLatin1String(Definition::Names[i]))
                return XfccEnum(Value(i));
        }
        XfccEnum other(Definition::Other);
        other.m_otherName = name.toString();
        return other;
    }

    operator Value() const { return m_value; }
    Value value() const { return m_value; }
    int ordinal() const { return int(m_value); }

    // The wire name: the table's name, or the unknown name as it was read.
    QString name() const
    {
        if (m_value == Definition::Other)
            return m_otherName;
        return QLatin1String(Definition::Names[std::size_t(m_value)]);
    }

private:
    Value m_value;
    QString m_otherName;
};
