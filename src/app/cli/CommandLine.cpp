#include "app/cli/CommandLine.h"

#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineReference.h"
#include "app/cli/CommandLineText.h"
#include "common/SettingsStore.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QVariantMap>

#include <algorithm>
#include <cstdio>

namespace {

using Operands = CommandLineCommand::Operands;

QString translated(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

const CommandLineOption jsonOption{
    "json", '\0', nullptr, QT_TRANSLATE_NOOP("CommandLine", "Print JSON instead of plain lines.")};
const CommandLineOption quietOption{
    "quiet", 'q', nullptr,
    QT_TRANSLATE_NOOP("CommandLine", "Print no progress lines (they go to standard error, and "
                                     "only when it is a terminal).")};

// The name and verb of a command as typed, "tasks end"; "tasks" when it has no verb.
QString typedName(const char* name, const char* verb)
{
    QString text = QLatin1StringView(name);
    if (*verb != '\0')
        text += u' ' + QLatin1StringView(verb);
    return text;
}

QString synopsisLine(const CommandLineCommand& command)
{
    QString line = QStringLiteral("corvella-cli ") + command.fullName();
    if (*command.synopsis != '\0')
        line += u' ' + QLatin1StringView(command.synopsis);
    return line;
}

// "Usage: " and the lines, each below the first.
QString usageLines(const QStringList& lines)
{
    const QString usage = translated(QT_TRANSLATE_NOOP("CommandLine", "Usage: "));
    return usage + lines.join(u'\n' + QString(usage.size(), u' '));
}

QString usageBlock()
{
    QStringList lines{QStringLiteral("corvella-cli --version")};
    for (const CommandLineCommand& command : CommandLine::commands())
        lines.append(synopsisLine(command));
    return usageLines(lines) + u'\n';
}

QString optionLabel(const CommandLineOption& option)
{
    QString label = QStringLiteral("--") + QLatin1StringView(option.name);
    if (option.shortName != '\0')
        label = QStringLiteral("-%1, %2").arg(QLatin1Char(option.shortName)).arg(label);
    if (option.valueName != nullptr)
        label += u' ' + QLatin1StringView(option.valueName);
    return label;
}

} // namespace

QString CommandLineCommand::fullName() const
{
    return typedName(name, verb);
}

const QList<CommandLineCommand>& CommandLine::commands()
{
    using C = CommandLine;
    static const QList<CommandLineCommand> table{
        {"settings", "get", &C::settingsGet, "KEY",
         QT_TRANSLATE_NOOP("CommandLine", "Print the value of a setting."), Operands::Text},
        {"settings", "set", &C::settingsSet, "KEY VALUE",
         QT_TRANSLATE_NOOP("CommandLine", "Write a setting to the user's settings file."),
         Operands::Text},
        {"settings", "list", &C::settingsList, "",
         QT_TRANSLATE_NOOP("CommandLine", "Print every setting, one per line.")},
        {"settings", "login", &C::settingsLogin, "[on|off]",
         QT_TRANSLATE_NOOP("CommandLine",
                           "Start Corvella in the tray at login (on) or not (off); without an "
                           "argument, print which."),
         Operands::Text},
        {"scan",
         "",
         &C::scan,
         "PATH [--apparent | --disk-usage] [--depth N] [--top N] [--json]",
         QT_TRANSLATE_NOOP("CommandLine",
                           "Print the tree under PATH ordered by size, largest first."),
         Operands::Paths,
         {{"depth", '\0', "N",
           QT_TRANSLATE_NOOP("CommandLine", "Print N levels below PATH (0: the total only).")},
          {"top", '\0', "N",
           QT_TRANSLATE_NOOP("CommandLine", "Print the N largest entries of each folder.")},
          {"apparent", '\0', nullptr,
           QT_TRANSLATE_NOOP("CommandLine",
                             "Sizes are file lengths; hard links count under each name (the "
                             "default).")},
          {"disk-usage", '\0', nullptr,
           QT_TRANSLATE_NOOP("CommandLine", "Sizes are the space on disk (allocated blocks, "
                                            "folders included), hard links counted once.")},
          jsonOption}},
        {"trash",
         "",
         &C::trash,
         "[--quiet] PATH...",
         QT_TRANSLATE_NOOP("CommandLine", "Move files and folders to the trash."),
         Operands::Paths,
         {quietOption}},
        {"erase",
         "",
         &C::erase,
         "[--quiet] PATH...",
         QT_TRANSLATE_NOOP("CommandLine", "Erase files and folders for good."),
         Operands::Paths,
         {quietOption}},
        {"disks",
         "",
         &C::disks,
         "[--json]",
         QT_TRANSLATE_NOOP("CommandLine", "List the volumes, one per line."),
         Operands::None,
         {jsonOption}},
        {"disks", "rename", &C::disksRename, "VOLUME NAME",
         QT_TRANSLATE_NOOP("CommandLine", "Give a volume a new label."), Operands::Text},
        {"disks",
         "format",
         &C::disksFormat,
         "VOLUME --type exfat|fat32|ext4 [--name NAME] --yes",
         QT_TRANSLATE_NOOP("CommandLine", "Erase a volume and make a new file system on it."),
         Operands::Text,
         {{"type", '\0', "TYPE",
           QT_TRANSLATE_NOOP("CommandLine", "The new file system: exfat, fat32 or ext4.")},
          {"name", '\0', "NAME", QT_TRANSLATE_NOOP("CommandLine", "The new volume's label.")},
          {"yes", '\0', nullptr,
           QT_TRANSLATE_NOOP("CommandLine", "Confirm that everything on the volume is erased.")}}},
        {"disks", "eject", &C::disksEject, "VOLUME",
         QT_TRANSLATE_NOOP("CommandLine", "Unmount a volume and eject its disk."), Operands::Text},
        {"tasks",
         "",
         &C::tasks,
         "[--json]",
         QT_TRANSLATE_NOOP("CommandLine",
                           "List the running applications as the Task Manager does."),
         Operands::None,
         {jsonOption}},
        {"tasks",
         "end",
         &C::tasksEnd,
         "PID... [--force | --force-after SECONDS]",
         QT_TRANSLATE_NOOP("CommandLine", "Ask applications to quit, given by their decimal "
                                          "process IDs: their windows are asked to close first."),
         Operands::Text,
         {{"force", '\0', nullptr,
           QT_TRANSLATE_NOOP("CommandLine", "Send the termination signal (SIGTERM) at once, "
                                            "without asking the windows to close.")},
          {"force-after", '\0', "SECONDS",
           QT_TRANSLATE_NOOP("CommandLine", "Send the termination signal to what is still running "
                                            "SECONDS after the close request (0 to 3600, "
                                            "digits and a decimal point; 5 by default).")}}},
        {"load",
         "",
         &C::load,
         "[--json] [--samples N]",
         QT_TRANSLATE_NOOP("CommandLine", "Print the CPU load and memory use, 2 s apart."),
         Operands::None,
         {jsonOption,
          {"samples", '\0', "N",
           QT_TRANSLATE_NOOP("CommandLine", "Print N readings (1 or more).")}}},
        {"apps",
         "",
         &C::apps,
         "[--json] [--search TEXT]",
         QT_TRANSLATE_NOOP("CommandLine", "List the installed applications by name."),
         Operands::None,
         {jsonOption,
          {"search", '\0', "TEXT",
           QT_TRANSLATE_NOOP("CommandLine", "List only the applications whose name holds TEXT.")}}},
        {"apps", "open", &C::appsOpen, "ID",
         QT_TRANSLATE_NOOP("CommandLine", "Start the application with this desktop-file ID."),
         Operands::Text},
        {"startup",
         "",
         &C::startup,
         "[--json]",
         QT_TRANSLATE_NOOP("CommandLine", "List the login items."),
         Operands::None,
         {jsonOption}},
        {"startup", "add", &C::startupAdd, "PATH",
         QT_TRANSLATE_NOOP("CommandLine", "Start a program or desktop entry at login."),
         Operands::Paths},
        {"startup", "remove", &C::startupRemove, "NAME",
         QT_TRANSLATE_NOOP("CommandLine", "Remove a login item (a system item is hidden)."),
         Operands::Text},
        {"startup", "enable", &C::startupEnable, "NAME",
         QT_TRANSLATE_NOOP("CommandLine", "Start a login item at login again."), Operands::Text},
        {"startup", "disable", &C::startupDisable, "NAME",
         QT_TRANSLATE_NOOP("CommandLine", "Keep a login item from starting at login."),
         Operands::Text},
        {"volume", "", &C::volumeGet, "[get]",
         QT_TRANSLATE_NOOP("CommandLine", "Print the output volume."), Operands::Text},
        {"volume", "set", &C::volumeSet, "PERCENT",
         QT_TRANSLATE_NOOP("CommandLine", "Set the output volume, 0 to 100."), Operands::Text},
        {"volume", "mute", &C::volumeMute, "",
         QT_TRANSLATE_NOOP("CommandLine", "Turn the output volume to its quietest level.")},
        {"brightness", "", &C::brightnessGet, "[get]",
         QT_TRANSLATE_NOOP("CommandLine", "Print the display brightness."), Operands::Text},
        {"brightness", "set", &C::brightnessSet, "PERCENT",
         QT_TRANSLATE_NOOP("CommandLine", "Set the display brightness, 0 to 100."), Operands::Text},
        {"sysinfo",
         "",
         &C::sysinfo,
         "[--json]",
         QT_TRANSLATE_NOOP("CommandLine", "Print the system information."),
         Operands::None,
         {jsonOption}},
        {"update-check",
         "",
         &C::updateCheck,
         "[--json]",
         QT_TRANSLATE_NOOP("CommandLine", "Check for a newer version."),
         Operands::None,
         {jsonOption}},
        {"trash-list",
         "",
         &C::trashList,
         "[--json]",
         QT_TRANSLATE_NOOP("CommandLine", "List the items of every trash of the user."),
         Operands::None,
         {jsonOption}},
        {"restore",
         "",
         &C::restore,
         "PATH... [--as NEWPATH]",
         QT_TRANSLATE_NOOP("CommandLine",
                           "Put items back from the trash, by original path or path in the trash."),
         Operands::Paths,
         {{"as", '\0', "NEWPATH",
           QT_TRANSLATE_NOOP("CommandLine", "Restore the one PATH at NEWPATH instead.")}}},
        {"empty-trash", "", &C::emptyTrash, "",
         QT_TRANSLATE_NOOP("CommandLine", "Erase every item of every trash of the user.")},
        {"caches",
         "",
         &C::caches,
         "[--json]",
         QT_TRANSLATE_NOOP("CommandLine",
                           "List the user's caches, trashes and core dumps by size on disk."),
         Operands::None,
         {jsonOption}},
        {"help", "", nullptr, "[COMMAND]",
         QT_TRANSLATE_NOOP("CommandLine", "Describe a command and its options."),
         Operands::Commands},
    };
    return table;
}

CommandLine::CommandLine() : m_out(stdout), m_err(stderr) {}

int CommandLine::run(const QList<QByteArray>& arguments)
{
    QStringList words;
    for (const QByteArray& argument : arguments.mid(1))
        words.append(CommandLineText::decodeName(argument));
    if (words.isEmpty())
        return usage(QString());
    const QString name = words.takeFirst();
    if (name == u"--version" || name == u"-V") {
        m_out << "corvella-cli " << CORVELLA_VERSION << Qt::endl;
        return 0;
    }
    if (name == u"--help" || name == u"-h") {
        printOverview(m_out);
        return 0;
    }
    if (name == u"help")
        return help(words);
    if (name == u"--generate")
        return generate(words);

    // The row with the verb typed after the name, else the name's row without a verb.
    QList<const CommandLineCommand*> group;
    const CommandLineCommand* chosen = nullptr;
    for (const CommandLineCommand& command : commands()) {
        if (name != QLatin1StringView(command.name))
            continue;
        group.append(&command);
        if (*command.verb != '\0' && !words.isEmpty() &&
            words.first() == QLatin1StringView(command.verb))
            chosen = &command;
    }
    if (chosen != nullptr) {
        words.removeFirst();
    } else {
        for (const CommandLineCommand* command : std::as_const(group)) {
            if (*command->verb == '\0')
                chosen = command;
        }
    }
    if (group.isEmpty())
        return usage(tr("unknown command \"%1\"").arg(name));
    if (chosen == nullptr) {
        if (words.value(0) == u"--help" || words.value(0) == u"-h") {
            printHelp(group);
            return 0;
        }
        QStringList verbs;
        for (const CommandLineCommand* command : std::as_const(group))
            verbs.append(QLatin1StringView(command->verb));
        return usage(words.isEmpty() ? tr("%1 takes %2").arg(name, verbs.join(u", "))
                                     : tr("unknown %1 command \"%2\"").arg(name, words.first()));
    }

    CommandLineArguments parsed;
    QString error;
    if (!parsed.parse(*chosen, words, &error))
        return usage(chosen->fullName() + QStringLiteral(": ") + error);
    if (parsed.helpRequested()) {
        printHelp(*chosen->verb == '\0' ? group : QList<const CommandLineCommand*>{chosen});
        return 0;
    }
    return (this->*chosen->handler)(parsed);
}

int CommandLine::help(const QStringList& names)
{
    if (names == QStringList{QStringLiteral("--help")} ||
        names == QStringList{QStringLiteral("-h")})
        return help({QStringLiteral("help")}); // "help --help", as every command takes it
    if (names.isEmpty()) {
        printOverview(m_out);
        return 0;
    }
    // "help tasks" describes every tasks command, "help tasks end" the one.
    const QString wanted = names.join(u' ');
    QList<const CommandLineCommand*> rows;
    for (const CommandLineCommand& command : commands()) {
        if (wanted == command.fullName() ||
            (names.size() == 1 && wanted == QLatin1StringView(command.name)))
            rows.append(&command);
    }
    if (rows.isEmpty())
        return usage(tr("help: unknown command \"%1\"").arg(wanted));
    printHelp(rows);
    return 0;
}

int CommandLine::generate(const QStringList& arguments)
{
    const QByteArray text = CommandLineReference::generate(arguments.value(0), commands());
    if (text.isEmpty() || arguments.size() > 2) {
        return usage(tr("--generate takes %1 and an optional FILE")
                         .arg(CommandLineReference::kinds().join(u'|')));
    }
    if (arguments.size() == 1) {
        writeOut(text);
        return 0;
    }
    QSaveFile file(arguments.at(1));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        m_err << "corvella-cli: "
              << tr("cannot write %1: %2").arg(arguments.at(1), file.errorString()) << Qt::endl;
        return 1;
    }
    return 0;
}

void CommandLine::printHelp(const QList<const CommandLineCommand*>& rows)
{
    QStringList synopses;
    QList<std::pair<QString, QString>> lines;
    QList<const CommandLineOption*> options;
    for (const CommandLineCommand* row : rows) {
        synopses.append(synopsisLine(*row));
        lines.append({row->fullName(), translated(row->summary)});
        for (const CommandLineOption& option : row->options) {
            if (std::none_of(options.cbegin(), options.cend(), [&option](auto* known) {
                    return qstrcmp(known->name, option.name) == 0;
                }))
                options.append(&option);
        }
    }
    const CommandLineOption helpOption{"help", 'h', nullptr,
                                       QT_TRANSLATE_NOOP("CommandLine", "Print this help.")};
    options.append(&helpOption);

    m_out << usageLines(synopses) << "\n\n";
    qsizetype width = 0;
    for (const auto& line : std::as_const(lines))
        width = std::max(width, line.first.size());
    for (const auto& [name, summary] : std::as_const(lines))
        m_out << "  " << name.leftJustified(width + 2) << summary << '\n';
    m_out << '\n' << translated(QT_TRANSLATE_NOOP("CommandLine", "Options:")) << '\n';
    width = 0;
    for (const CommandLineOption* option : std::as_const(options))
        width = std::max(width, optionLabel(*option).size());
    for (const CommandLineOption* option : std::as_const(options)) {
        m_out << "  " << optionLabel(*option).leftJustified(width + 2)
              << translated(option->description) << '\n';
    }
    m_out << "  " << QStringLiteral("--").leftJustified(width + 2)
          << translated(QT_TRANSLATE_NOOP("CommandLine", "End the options: every argument after "
                                                         "it is an operand, even \"-x\"."))
          << '\n';
    m_out.flush();
}

void CommandLine::printOverview(QTextStream& stream)
{
    stream << usageBlock() << '\n'
           << translated(QT_TRANSLATE_NOOP("CommandLine", "Commands:")) << '\n';
    qsizetype width = 0;
    for (const CommandLineCommand& command : commands())
        width = std::max(width, command.fullName().size());
    for (const CommandLineCommand& command : commands())
        stream << "  " << command.fullName().leftJustified(width + 2) << translated(command.summary)
               << '\n';
    stream << '\n'
           << translated(QT_TRANSLATE_NOOP(
                  "CommandLine",
                  "Every command takes -h or --help, and \"--\" ends its options.\n"
                  "Results go to standard output, messages and progress to standard error.\n"
                  "Exit status: 0 done, 1 failed, 2 usage error (nothing was touched)."))
           << '\n';
    stream.flush();
}

int CommandLine::usage(const QString& problem)
{
    if (!problem.isEmpty())
        m_err << "corvella-cli: " << problem << '\n';
    m_err << usageBlock();
    m_err.flush();
    return 2;
}

void CommandLine::printJson(const QJsonValue& value)
{
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    m_out << QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    m_out.flush();
}

void CommandLine::writeOut(const QByteArray& bytes)
{
    m_out.flush();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

QVariantMap CommandLine::readSettings(SettingsStore& store)
{
    // Say so when the user's file could not be used: the answers then come from the shipped one.
    const SettingsStore::Reading reading = store.read();
    if (!reading.problem.isEmpty())
        m_err << "corvella-cli: " << reading.problem << Qt::endl;
    return reading.values;
}

int CommandLine::settingsGet(const CommandLineArguments& arguments)
{
    if (arguments.operands().size() != 1)
        return usage(tr("settings get takes one KEY"));
    const QString key = arguments.operands().first();
    SettingsStore store = SettingsStore::standard();
    const QVariant value = readSettings(store).value(key);
    if (value.isNull()) {
        m_err << "corvella-cli: " << tr("no setting \"%1\" in %2").arg(key, store.writablePath())
              << Qt::endl;
        return 1;
    }
    m_out << value.toString() << Qt::endl;
    return 0;
}

int CommandLine::settingsSet(const CommandLineArguments& arguments)
{
    if (arguments.operands().size() != 2)
        return usage(tr("settings set takes KEY VALUE"));
    SettingsStore store = SettingsStore::standard();
    if (!store.setValue(arguments.operands().at(0), arguments.operands().at(1))) {
        m_err << "corvella-cli: "
              << tr("could not write %1 (see the message above)").arg(store.writablePath())
              << Qt::endl;
        return 1;
    }
    return 0;
}

int CommandLine::settingsList(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("settings list takes no arguments"));
    SettingsStore store = SettingsStore::standard();
    const QVariantMap dictionary = readSettings(store);
    for (auto it = dictionary.cbegin(); it != dictionary.cend(); ++it)
        m_out << it.key() << '\t' << it.value().toString() << '\n';
    m_out.flush();
    return 0;
}
