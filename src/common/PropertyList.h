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

// The parsed root object, or nothing when the bytes are not a sound property list: not one at
// all, arrays and dictionaries nested deeper than PropertyListShape::maximumDepth, or an integer
// that is not a whole number within 64 bits. `problem`, when given, then says why, completing
// "could not be read: ...".
std::optional<QVariant> parse(const QByteArray& bytes, QString* problem = nullptr);
// The root object of the file, or nothing when it is missing, unreadable or not a property list.
std::optional<QVariant> readFile(const QString& path, QString* problem = nullptr);
// The XML form of a value tree, or nothing when it is nested deeper than the readers accept.
QByteArray toXml(const QVariant& root);

} // namespace PropertyList
