#pragma once

#include <QByteArray>
#include <QString>

// Checks the shape of a property list before libplist reads it. libplist's readers recurse once
// per level of nesting and read integers loosely ("abc" reads as 0, a number beyond 64 bits as
// the largest unsigned one, "010" as 8), so a hostile file could crash the reader or pass for a
// number it does not hold. Nothing here recurses.
namespace PropertyListShape {

// Arrays and dictionaries may be nested this deep, the outermost one counting as 1.
constexpr int maximumDepth = 64;
// A binary property list may refer to one object many times; expanded, it may hold this many.
constexpr qint64 maximumValues = 1 << 20;

// Why the bytes (XML or binary) would not read as a sound property list, or empty when they
// would. The text completes "The file could not be read: ...".
QString problem(const QByteArray& bytes);

} // namespace PropertyListShape
