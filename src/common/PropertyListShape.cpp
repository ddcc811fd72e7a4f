#include "common/PropertyListShape.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <limits>
#include <unordered_map>
#include <vector>

namespace PropertyListShape {
namespace {

QString tooDeep()
{
    return QCoreApplication::translate(
               "PropertyListShape", "its arrays and dictionaries are nested deeper than %1 levels")
        .arg(maximumDepth);
}

// A decimal whole number within the signed 64-bit range, as the XML form writes it.
bool isWholeNumber(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(0|[1-9][0-9]*)$"));
    if (!decimal.match(text).hasMatch())
        return false;
    bool fits = false;
    text.toLongLong(&fits);
    return fits;
}

QString xmlProblem(const QByteArray& bytes)
{
    QXmlStreamReader reader(bytes);
    int elements = 0;
    int containers = 0;
    std::vector<bool> isContainer; // one per open element
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const bool container = reader.name() == u"array" || reader.name() == u"dict";
            containers += container ? 1 : 0;
            // Other elements never nest in a property list; a few levels of slack for them.
            if (containers > maximumDepth || ++elements > maximumDepth + 8)
                return tooDeep();
            if (reader.name() == u"integer") {
                const QString text = reader.readElementText().trimmed();
                --elements;
                if (reader.hasError())
                    break;
                if (!isWholeNumber(text))
                    return QCoreApplication::translate(
                               "PropertyListShape",
                               "the integer “%1” is not a whole number within 64 bits")
                        .arg(text.left(40));
                continue;
            }
            isContainer.push_back(container);
        } else if (token == QXmlStreamReader::EndElement && !isContainer.empty()) {
            containers -= isContainer.back() ? 1 : 0;
            isContainer.pop_back();
            --elements;
        }
    }
    if (reader.hasError())
        return QCoreApplication::translate("PropertyListShape",
                                           "it is not a property list (%1 at line %2)")
            .arg(reader.errorString().chopped(reader.errorString().endsWith(u'.') ? 1 : 0))
            .arg(reader.lineNumber());
    return {};
}

// The binary form: a trailer at the end locates a table with the offset of every object;
// containers hold object numbers. Objects are walked from the top one with an explicit stack,
// remembering each finished object's height and expanded size, so shared objects cost once and
// a cycle is found.
class BinaryWalk {
public:
    explicit BinaryWalk(const QByteArray& bytes)
        : m_data(reinterpret_cast<const uchar*>(bytes.constData())), m_size(quint64(bytes.size()))
    {}

    QString problem()
    {
        if (m_size < 8 + 32)
            return QCoreApplication::translate("PropertyListShape",
                                               "it is not a property list (too short)");
        const uchar* trailer = m_data + m_size - 32;
        m_offsetSize = trailer[6];
        m_referenceSize = trailer[7];
        m_objectCount = number(trailer + 8, 8);
        const quint64 top = number(trailer + 16, 8);
        m_tableOffset = number(trailer + 24, 8);
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_referenceSize < 1 || m_referenceSize > 8 ||
            m_objectCount == 0 || top >= m_objectCount || m_tableOffset < 8 ||
            m_tableOffset >= m_size - 32 ||
            m_objectCount > (m_size - 32 - m_tableOffset) / m_offsetSize)
            return damaged();
        return walk(top);
    }

private:
    struct Finished {
        int height;
        qint64 values;
    };
    struct Frame {
        quint64 object;
        std::vector<quint64> children;
        size_t next = 0;
        int height = 0;
        qint64 values = 1;
    };

    static QString damaged()
    {
        return QCoreApplication::translate("PropertyListShape",
                                           "it is a damaged binary property list");
    }

    static quint64 number(const uchar* at, unsigned length)
    {
        quint64 value = 0;
        for (unsigned index = 0; index < length; ++index)
            value = (value << 8) | at[index];
        return value;
    }

    enum class Kind { Leaf, Container, Refused };

    // Reads a container's children into `children`. Refused (with the problem) when the object
    // is damaged or holds an integer beyond 64 bits.
    Kind read(quint64 object, std::vector<quint64>& children, QString& problem) const
    {
        const quint64 offset =
            number(m_data + m_tableOffset + object * m_offsetSize, unsigned(m_offsetSize));
        if (offset < 8 || offset >= m_tableOffset) {
            problem = damaged();
            return Kind::Refused;
        }
        const uchar marker = m_data[offset];
        const int type = marker >> 4;
        quint64 count = marker & 0x0f;
        if (type == 0x1 && count > 3) {
            problem = QCoreApplication::translate("PropertyListShape",
                                                  "it holds an integer beyond 64 bits");
            return Kind::Refused;
        }
        if (type != 0xa && type != 0xb && type != 0xc && type != 0xd)
            return Kind::Leaf;
        quint64 at = offset + 1;
        if (count == 0x0f) {
            if (at >= m_tableOffset || (m_data[at] >> 4) != 0x1 || (m_data[at] & 0x0f) > 3) {
                problem = damaged();
                return Kind::Refused;
            }
            const unsigned length = 1u << (m_data[at] & 0x0f);
            if (at + 1 + length > m_tableOffset) {
                problem = damaged();
                return Kind::Refused;
            }
            count = number(m_data + at + 1, length);
            at += 1 + length;
        }
        const quint64 references = type == 0xd ? count * 2 : count;
        if (count > m_tableOffset || references > (m_tableOffset - at) / m_referenceSize) {
            problem = damaged();
            return Kind::Refused;
        }
        children.clear();
        children.reserve(size_t(references));
        for (quint64 index = 0; index < references; ++index) {
            const quint64 child =
                number(m_data + at + index * m_referenceSize, unsigned(m_referenceSize));
            if (child >= m_objectCount) {
                problem = damaged();
                return Kind::Refused;
            }
            children.push_back(child);
        }
        return Kind::Container;
    }

    // Adds a finished child's height and values to the frame; false when there are too many.
    static bool add(Frame& frame, const Finished& child)
    {
        frame.height = std::max(frame.height, child.height);
        frame.values = std::min(frame.values + child.values, maximumValues + 1);
        return frame.values <= maximumValues;
    }

    QString walk(quint64 top)
    {
        std::unordered_map<quint64, Finished> finished;
        std::vector<Frame> stack(1, Frame{top, {}});
        QString problem;
        const Kind kind = read(top, stack.back().children, problem);
        if (kind != Kind::Container)
            return problem;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.next == frame.children.size()) {
                // A container is one level more than its deepest child container.
                const Finished done{frame.height + 1, frame.values};
                finished.emplace(frame.object, done);
                stack.pop_back();
                if (!stack.empty() && !add(stack.back(), done))
                    return tooMany();
                continue;
            }
            const quint64 child = frame.children[frame.next++];
            if (const auto known = finished.find(child); known != finished.end()) {
                if (stack.size() + size_t(known->second.height) > size_t(maximumDepth))
                    return tooDeep();
                if (!add(frame, known->second))
                    return tooMany();
                continue;
            }
            for (const Frame& open : stack) {
                if (open.object == child)
                    return QCoreApplication::translate(
                        "PropertyListShape", "an array or dictionary in it contains itself");
            }
            Frame next{child, {}};
            switch (read(child, next.children, problem)) {
            case Kind::Refused:
                return problem;
            case Kind::Leaf:
                if (!add(frame, Finished{0, 1}))
                    return tooMany();
                continue;
            case Kind::Container:
                if (stack.size() + 1 > size_t(maximumDepth))
                    return tooDeep();
                stack.push_back(std::move(next));
                break;
            }
        }
        return {};
    }

    static QString tooMany()
    {
        return QCoreApplication::translate("PropertyListShape",
                                           "it would expand to more than %1 values")
            .arg(maximumValues);
    }

    const uchar* m_data;
    quint64 m_size;
    quint64 m_offsetSize = 0;
    quint64 m_referenceSize = 0;
    quint64 m_objectCount = 0;
    quint64 m_tableOffset = 0;
};

} // namespace

QString problem(const QByteArray& bytes)
{
    if (bytes.startsWith("bplist00"))
        return BinaryWalk(bytes).problem();
    return xmlProblem(bytes);
}

} // namespace PropertyListShape
