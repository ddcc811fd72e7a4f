#include "common/PropertyList.h"

#include <QDateTime>
#include <QFile>

#include <cstdlib>
#include <limits>
#include <memory>
#include <plist/plist++.h>

namespace PropertyList {
namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr qint64 kDateEpochOffset = 978307200;

// Reading walks libplist's C nodes directly: the C++ wrappers copy every child on construction.
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
        return QDateTime::fromMSecsSinceEpoch(
            (qint64(seconds) + kDateEpochOffset) * 1000 + microseconds / 1000, Qt::UTC);
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

std::unique_ptr<PList::Node> toNode(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return std::make_unique<PList::Boolean>(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return std::make_unique<PList::Integer>(static_cast<uint64_t>(value.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return std::make_unique<PList::Real>(value.toDouble());
    case QMetaType::QDateTime: {
        const qint64 ms = value.toDateTime().toMSecsSinceEpoch();
        timeval time{};
        time.tv_sec = static_cast<time_t>(ms / 1000);
        time.tv_usec = static_cast<suseconds_t>((ms % 1000) * 1000);
        return std::make_unique<PList::Date>(time);
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return std::make_unique<PList::Data>(std::vector<char>(bytes.begin(), bytes.end()));
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        auto array = std::make_unique<PList::Array>();
        for (const QVariant& item : value.toList()) {
            auto child = toNode(item);
            array->Append(child.get());
        }
        return array;
    }
    case QMetaType::QVariantMap: {
        auto dictionary = std::make_unique<PList::Dictionary>();
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            dictionary->Set(it.key().toStdString(), toNode(it.value()).get());
        return dictionary;
    }
    default:
        return std::make_unique<PList::String>(value.toString().toStdString());
    }
}

} // namespace

std::optional<QVariant> parse(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.size() > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    plist_t root = nullptr;
    if (bytes.startsWith("bplist00"))
        plist_from_bin(bytes.constData(), uint32_t(bytes.size()), &root);
    else
        plist_from_xml(bytes.constData(), uint32_t(bytes.size()), &root);
    if (!root)
        return std::nullopt;
    QVariant value = toVariant(root);
    plist_free(root);
    return value;
}

std::optional<QVariant> readFile(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt; // no such file was found: nothing to read, and nothing to warn of
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.readAll());
}

QByteArray toXml(const QVariant& root)
{
    const std::unique_ptr<PList::Node> node = toNode(root);
    plist_t plist = node->GetPlist();
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(plist, &xml, &length);
    QByteArray result(xml, qsizetype(length));
    plist_to_xml_free(xml);
    return result;
}

} // namespace PropertyList
