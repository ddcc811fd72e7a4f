#include "platform/xdg/DesktopExec.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

bool isSpace(QChar character)
{
    return character == u' ' || character == u'\t' || character == u'\n';
}

// The local path of an input, or empty for a URL that is not a file.
QString asFile(const QString& input)
{
    if (input.startsWith(u'/'))
        return input;
    const QUrl url(input);
    if (url.isLocalFile())
        return url.toLocalFile();
    if (url.scheme().isEmpty())
        return input; // a relative name
    return {};
}

QString asUrl(const QString& input)
{
    if (input.startsWith(u'/'))
        return QString::fromUtf8(QUrl::fromLocalFile(input).toEncoded());
    return input;
}

QStringList files(const QStringList& inputs)
{
    QStringList paths;
    for (const QString& input : inputs) {
        if (const QString path = asFile(input); !path.isEmpty())
            paths.append(path);
    }
    return paths;
}

QStringList urls(const QStringList& inputs)
{
    QStringList result;
    for (const QString& input : inputs)
        result.append(asUrl(input));
    return result;
}

// Whether the argument holds the field code (a "%%" is a percent sign, not the start of a code).
bool holdsCode(const QString& argument, char16_t code)
{
    for (qsizetype index = 0; index + 1 < argument.size(); ++index) {
        if (argument.at(index) != u'%')
            continue;
        if (argument.at(index + 1) == code)
            return true;
        ++index;
    }
    return false;
}

bool isSingleInputCode(const QString& argument)
{
    return holdsCode(argument, u'f') || holdsCode(argument, u'u');
}

bool isListInputCode(const QString& argument)
{
    return holdsCode(argument, u'F') || holdsCode(argument, u'U');
}

// One argument with its inline codes replaced; %F and %U inside a longer argument give their
// first item.
QString expandInline(const QString& argument, const QStringList& inputs,
                     const DesktopExec::Context& context)
{
    QString result;
    for (qsizetype index = 0; index < argument.size(); ++index) {
        const QChar character = argument.at(index);
        if (character != u'%' || index + 1 == argument.size()) {
            result.append(character);
            continue;
        }
        switch (argument.at(++index).unicode()) {
        case u'%':
            result.append(u'%');
            break;
        case u'f':
        case u'F':
            result.append(files(inputs).value(0));
            break;
        case u'u':
        case u'U':
            result.append(urls(inputs).value(0));
            break;
        case u'c':
            result.append(context.name);
            break;
        case u'k':
            result.append(context.location);
            break;
        case u'i':
            result.append(context.icon);
            break;
        default: // deprecated and unknown codes
            break;
        }
    }
    return result;
}

QStringList expandOnce(const QStringList& arguments, const QStringList& inputs,
                       const DesktopExec::Context& context)
{
    QStringList command;
    for (const QString& argument : arguments) {
        if (argument == u"%F") {
            command.append(files(inputs));
        } else if (argument == u"%U") {
            command.append(urls(inputs));
        } else if (argument == u"%i") {
            if (!context.icon.isEmpty())
                command << QStringLiteral("--icon") << context.icon;
        } else if (argument == u"%f" || argument == u"%u") {
            const QString expanded = expandInline(argument, inputs, context);
            if (!expanded.isEmpty())
                command.append(expanded);
        } else if (argument.size() == 2 && argument.front() == u'%' &&
                   !QStringView(u"ck%").contains(argument.back())) {
            continue; // a deprecated or unknown code alone
        } else {
            command.append(expandInline(argument, inputs, context));
        }
    }
    return command;
}

} // namespace

QStringList DesktopExec::split(const QString& exec, QString* error)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    const qsizetype size = exec.size();
    for (qsizetype index = 0; index < size; ++index) {
        const QChar character = exec.at(index);
        if (isSpace(character)) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (character == u'"') {
            for (++index; index < size && exec.at(index) != u'"'; ++index) {
                const QChar inner = exec.at(index);
                if (inner == u'\\' && index + 1 < size &&
                    QStringView(u"\"`$\\").contains(exec.at(index + 1))) {
                    current.append(exec.at(++index));
                } else {
                    current.append(inner);
                }
            }
            if (index >= size) {
                *error = QCoreApplication::translate("DesktopExec", "a double quote is not closed");
                return {};
            }
        } else if (character == u'\'') {
            const qsizetype close = exec.indexOf(u'\'', index + 1);
            if (close < 0) {
                *error = QCoreApplication::translate("DesktopExec", "a single quote is not closed");
                return {};
            }
            current.append(QStringView(exec).mid(index + 1, close - index - 1));
            index = close;
        } else if (character == u'\\' && index + 1 < size) {
            current.append(exec.at(++index));
        } else {
            current.append(character);
        }
    }
    if (inArgument)
        arguments.append(current);
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        *error = QCoreApplication::translate("DesktopExec", "no program in the Exec key");
        return {};
    }
    error->clear();
    return arguments;
}

QString DesktopExec::quote(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`%");
    bool needsQuotes = argument.isEmpty();
    for (QChar character : argument)
        needsQuotes = needsQuotes || reserved.contains(character);
    if (!needsQuotes)
        return argument;
    QString quoted = QStringLiteral("\"");
    for (QChar character : argument) {
        if (character == u'"' || character == u'`' || character == u'$' || character == u'\\')
            quoted.append(u'\\');
        quoted.append(character);
        if (character == u'%')
            quoted.append(u'%');
    }
    return quoted + u'"';
}

QList<QStringList> DesktopExec::expand(const QStringList& arguments, const Context& context)
{
    bool single = false;
    bool list = false;
    for (const QString& argument : arguments) {
        single = single || isSingleInputCode(argument);
        list = list || isListInputCode(argument);
    }
    if (single && !list && context.inputs.size() > 1) {
        QList<QStringList> commands;
        for (const QString& input : context.inputs)
            commands.append(expandOnce(arguments, {input}, context));
        return commands;
    }
    return {expandOnce(arguments, context.inputs, context)};
}

bool DesktopExec::takesInputs(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (isSingleInputCode(argument) || isListInputCode(argument))
            return true;
    }
    return false;
}
