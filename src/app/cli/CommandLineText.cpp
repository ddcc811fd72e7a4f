#include "app/cli/CommandLineText.h"

#include <algorithm>

namespace {

// The length of the valid UTF-8 sequence at the start of bytes, or 0.
qsizetype utf8Length(QByteArrayView bytes)
{
    const auto byte = [&bytes](qsizetype index) {
        return static_cast<unsigned char>(bytes[index]);
    };
    const unsigned char lead = byte(0);
    const qsizetype length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
    if (length == 0 || bytes.size() < length)
        return 0;
    for (qsizetype index = 1; index < length; ++index) {
        if ((byte(index) & 0xC0) != 0x80)
            return 0;
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char second = length > 1 ? byte(1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

QByteArray hex(unsigned byte, int width)
{
    return QByteArray::number(byte, 16).rightJustified(width, '0');
}

constexpr char16_t escapeBase = 0xDC00;

} // namespace

QString CommandLineText::decodeName(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const qsizetype length = utf8Length(bytes);
        if (length == 0)
            text.append(QChar(char16_t(escapeBase + static_cast<unsigned char>(bytes.front()))));
        else
            text.append(QString::fromUtf8(bytes.first(length)));
        bytes = bytes.sliced(std::max<qsizetype>(length, 1));
    }
    return text;
}

QByteArray CommandLineText::encodeName(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype start = 0;
    for (qsizetype index = 0; index <= text.size(); ++index) {
        const bool end = index == text.size();
        const char16_t unit = end ? 0 : text[index].unicode();
        // Only a lone low surrogate in 0xDC80..0xDCFF stands for a byte; a valid pair is text.
        const bool pairedLow = !end && index > 0 && text[index - 1].isHighSurrogate();
        if (!end && !(unit >= escapeBase + 0x80 && unit <= escapeBase + 0xFF && !pairedLow))
            continue;
        bytes.append(text.sliced(start, index - start).toUtf8());
        if (!end)
            bytes.append(char(unit - escapeBase));
        start = index + 1;
    }
    return bytes;
}

QByteArray CommandLineText::printable(QByteArrayView bytes)
{
    QByteArray text;
    text.reserve(bytes.size());
    for (const char character : bytes) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte == '\\')
            text.append("\\\\");
        else if (byte < 0x20 || byte == 0x7f)
            text.append("\\x" + hex(byte, 2));
        else
            text.append(character);
    }
    return text;
}

QString CommandLineText::printableText(const QString& text)
{
    return QString::fromUtf8(printable(QByteArrayView(text.toUtf8())));
}

QByteArray CommandLineText::jsonString(QByteArrayView bytes)
{
    QByteArray out = "\"";
    while (!bytes.empty()) {
        const qsizetype length = utf8Length(bytes);
        const auto byte = static_cast<unsigned char>(bytes.front());
        if (length == 0)
            out.append("\\udc" + hex(byte, 2));
        else if (byte == '"' || byte == '\\')
            out.append('\\').append(char(byte));
        else if (byte < 0x20 || byte == 0x7f)
            out.append("\\u" + hex(byte, 4));
        else
            out.append(bytes.first(length));
        bytes = bytes.sliced(std::max<qsizetype>(length, 1));
    }
    return out + '"';
}

std::optional<qint64> CommandLineText::decimal(QStringView text, qint64 maximum)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar character : text) {
        if (character < u'0' || character > u'9')
            return std::nullopt;
        value = value * 10 + (character.unicode() - u'0');
    }
    if (value > maximum)
        return std::nullopt;
    return value;
}

std::optional<double> CommandLineText::seconds(QStringView text, double maximum)
{
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.first(point);
    const QStringView fraction = point < 0 ? QStringView() : text.sliced(point + 1);
    const auto digitsOnly = [](QStringView part) {
        return std::all_of(part.begin(), part.end(),
                           [](QChar character) { return character >= u'0' && character <= u'9'; });
    };
    if (whole.size() + fraction.size() == 0 || !digitsOnly(whole) || !digitsOnly(fraction))
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || value > maximum)
        return std::nullopt;
    return value;
}
