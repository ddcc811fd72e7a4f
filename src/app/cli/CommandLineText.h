#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Text rules shared by every corvella-cli command: names that keep their bytes, output that
// cannot forge a row, numbers read strictly. Stateless; safe on any thread.
class CommandLineText {
public:
    CommandLineText() = delete;

    // Bytes as text without loss: valid UTF-8 as it is, every other byte as the lone surrogate
    // U+DC00 + byte, which no valid text holds (Python's "surrogateescape"). QFile::decodeName
    // turns such bytes into U+FFFD, so two names could meet.
    static QString decodeName(QByteArrayView bytes);
    // The inverse: decodeName(bytes) encodes back to exactly bytes.
    static QByteArray encodeName(QStringView text);

    // A name for one line of plain output: a backslash doubled and every control character
    // (below 0x20, and 0x7f) as "\xNN", so a newline or a tab in a name never starts a row or a
    // column and nothing reaches the terminal as a command. Other bytes pass unchanged.
    static QByteArray printable(QByteArrayView bytes);
    static QString printableText(const QString& text);

    // A JSON string of bytes, quotes included: the characters of decodeName(bytes), so a byte
    // that is not UTF-8 is written as "\udcXX" (decode with Python's os.fsencode, for instance).
    static QByteArray jsonString(QByteArrayView bytes);

    // A whole number written as ASCII digits only: no sign, no blank, no prefix, no exponent.
    static std::optional<qint64> decimal(QStringView text, qint64 maximum);
    // A number of seconds: digits with an optional decimal point ("2", "0.5"), nothing else,
    // so "nan", "inf", "-1", "1e3" and "" are refused; at most `maximum`.
    static std::optional<double> seconds(QStringView text, double maximum);
};
