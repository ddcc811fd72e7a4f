#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <optional>

// Reads and writes property lists (XML or binary) as QVariant trees: dictionaries as QVariantMap,
// arrays as QVariantList, strings, integers, reals, booleans, dates and data. Dates are written
// to the whole second, rounded toward the past (the XML form holds no fraction). libplist keeps
// 32-bit seconds from 2001, so dates outside 1932-12-13 to 2069-01-19 are clamped to that range.
namespace PropertyList {

// The parsed root object, or nothing when the bytes are not a property list.
std::optional<QVariant> parse(const QByteArray& bytes);
// The root object of the file, or nothing when it is missing, unreadable or not a property list.
std::optional<QVariant> readFile(const QString& path);
// The XML form of a value tree.
QByteArray toXml(const QVariant& root);

} // namespace PropertyList
