#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <optional>

// Reads and writes property lists (XML or binary) as QVariant trees: dictionaries as QVariantMap,
// arrays as QVariantList, strings, integers, reals, booleans, dates and data.
namespace PropertyList {

// The parsed root object, or nothing when the bytes are not a property list.
std::optional<QVariant> parse(const QByteArray& bytes);
// The root object of the file, or nothing when it is missing, unreadable or not a property list.
std::optional<QVariant> readFile(const QString& path);
// The XML form of a value tree.
QByteArray toXml(const QVariant& root);

} // namespace PropertyList
