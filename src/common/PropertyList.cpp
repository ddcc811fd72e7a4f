#include "common/PropertyList.h"

#include "common/PropertyListShape.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <plist/plist.h>

namespace PropertyList {
namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr qint64 kDateEpochOffset = 978307200;

// Reading walks libplist's C nodes directly: the C++ wrappers copy every child on construction.
// The recursion is bounded: parse() reads only trees that PropertyListShape let through.
QVariant toVariant(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return value != 0;
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return QVariant::fromValue(static_cast<qlonglong>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return value;
    }
    case PLIST_STRING: {
        char* value = nullptr;
        plist_get_string_val(node, &value);
        const QString text = QString::fromUtf8(value);
        std::free(value);
        return text;
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        // libplist answers the fraction without its sign, so a fraction within the last second
        // before 2001 reads as one within the first second after it.
        if (seconds < 0)
            microseconds = -microseconds;
        return QDateTime::fromMSecsSinceEpoch(
            (qint64(seconds) + kDateEpochOffset) * 1000 + qRound(microseconds / 1000.0), Qt::UTC);
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        const QByteArray data(bytes, qsizetype(length));
        std::free(bytes);
        return data;
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t size = plist_array_get_size(node);
        for (uint32_t index = 0; index < size; ++index)
            list.append(toVariant(plist_array_get_item(node, index)));
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator, &key, &value);
            if (!value) {
                std::free(key);
                break;
            }
            map.insert(QString::fromUtf8(key), toVariant(value));
            std::free(key);
        }
        std::free(iterator);
        return map;
    }
    default:
        return {};
    }
}

// Writing builds C nodes too: libplist 2.2 stores a date set through its C++ wrapper
// (plist_set_date_val) in a form its own writer then rejects with an assertion. Nothing (null)
// for a tree nested deeper than the readers accept: it could not be read back.
plist_t toNode(const QVariant& value, int depth = 0)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QDateTime: {
        // Whole seconds, rounded toward the past: the XML form holds no fraction, and libplist
        // would round a fraction before 2001 toward 2001. libplist keeps 32-bit seconds.
        const qint64 milliseconds = value.toDateTime().toMSecsSinceEpoch();
        const qint64 seconds = milliseconds / 1000 - (milliseconds % 1000 < 0 ? 1 : 0);
        return plist_new_date(int32_t(std::clamp<qint64>(seconds - kDateEpochOffset,
                                                         std::numeric_limits<int32_t>::min(),
                                                         std::numeric_limits<int32_t>::max())),
                              0);
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return plist_new_data(bytes.constData(), uint64_t(bytes.size()));
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        if (depth >= PropertyListShape::maximumDepth)
            return nullptr;
        plist_t array = plist_new_array();
        for (const QVariant& item : value.toList()) {
            plist_t node = toNode(item, depth + 1);
            if (!node) {
                plist_free(array);
                return nullptr;
            }
            plist_array_append_item(array, node); // the array owns the item
        }
        return array;
    }
    case QMetaType::QVariantMap: {
        if (depth >= PropertyListShape::maximumDepth)
            return nullptr;
        plist_t dictionary = plist_new_dict();
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            plist_t node = toNode(it.value(), depth + 1);
            if (!node) {
                plist_free(dictionary);
                return nullptr;
            }
            plist_dict_set_item(dictionary, it.key().toUtf8().constData(), node);
        }
        return dictionary;
    }
    default:
        return plist_new_string(value.toString().toUtf8().constData());
    }
}

} // namespace

std::optional<QVariant> parse(const QByteArray& bytes, QString* problem)
{
    const auto refuse = [problem](const QString& why) -> std::optional<QVariant> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (bytes.isEmpty())
        return refuse(QCoreApplication::translate("PropertyList", "it is empty"));
    if (bytes.size() > std::numeric_limits<uint32_t>::max())
        return refuse(QCoreApplication::translate("PropertyList", "it is larger than 4 GiB"));
    // libplist recurses once per level and reads integers loosely: check the shape first.
    if (const QString shape = PropertyListShape::problem(bytes); !shape.isEmpty())
        return refuse(shape);
    plist_t root = nullptr;
    if (bytes.startsWith("bplist00"))
        plist_from_bin(bytes.constData(), uint32_t(bytes.size()), &root);
    else
        plist_from_xml(bytes.constData(), uint32_t(bytes.size()), &root);
    if (!root)
        return refuse(QCoreApplication::translate("PropertyList", "it is not a property list"));
    QVariant value = toVariant(root);
    plist_free(root);
    return value;
}

std::optional<QVariant> readFile(const QString& path, QString* problem)
{
    if (path.isEmpty())
        return std::nullopt; // no such file was found: nothing to read, and nothing to warn of
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = file.errorString();
        return std::nullopt;
    }
    return parse(file.readAll(), problem);
}

QByteArray toXml(const QVariant& root)
{
    plist_t node = toNode(root);
    if (!node)
        return {};
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node, &xml, &length);
    plist_free(node);
    QByteArray result(xml, qsizetype(length));
    plist_to_xml_free(xml);
    return result;
}

} // namespace PropertyList
