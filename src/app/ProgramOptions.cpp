#include "app/ProgramOptions.h"

#include "platform/fs/NativePath.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

struct OptionRow {
    const char* name;
    char shortName;          // '\0': none
    const char* valueName;   // nullptr: a flag
    const char* description; // nullptr: hidden (the toolkit's options, --generate-man)
};

constexpr OptionRow kOptions[] = {
    {"show", '\0', nullptr,
     QT_TRANSLATE_NOOP("ProgramOptions",
                       "Show the panel and bring it to the front, also when it is open behind "
                       "other windows. This is what a start without options does.")},
    {"toggle", '\0', nullptr,
     QT_TRANSLATE_NOOP("ProgramOptions", "Hide the panel when it is shown, else show it.")},
    {"tab", '\0', "NAME",
     QT_TRANSLATE_NOOP("ProgramOptions",
                       "Show the panel on this tab: Applications, TaskManager, Cleanup, "
                       "StartupItems, DiskManager, QuickVisit or HotUtilities.")},
    {"scan", '\0', "PATH",
     QT_TRANSLATE_NOOP("ProgramOptions",
                       "Show the space finder on this folder, scanned by size: any folder you "
                       "can read. Opens the panel on the Cleanup tab.")},
    {"background", '\0', nullptr,
     QT_TRANSLATE_NOOP("ProgramOptions",
                       "Start in the system tray without showing the panel, as at login. A copy "
                       "that runs already is left as it is. Where there is no system tray the "
                       "panel shows all the same.")},
    {"help", 'h', nullptr, QT_TRANSLATE_NOOP("ProgramOptions", "Print this help and exit.")},
    {"version", 'V', nullptr, QT_TRANSLATE_NOOP("ProgramOptions", "Print the version and exit.")},
    {"generate-man", '\0', "FILE", nullptr},
};

// The toolkit's own options, taken here so that they are no error, and left for it.
constexpr const char* kToolkitOptionsWithValue[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon",  "qwindowtitle",       "session",       "display", "geometry",
    "style",        "stylesheet",         "name",          "title",   "visual",
    "qmljsdebugger"};
constexpr const char* kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

constexpr const char* kSummary = QT_TRANSLATE_NOOP(
    "ProgramOptions",
    "Corvella lives in the system tray; its panel holds seven tools. Only one copy runs in a "
    "session: a later start hands its options to the running copy and exits at once.");

QString translated(const char* text)
{
    return QCoreApplication::translate("ProgramOptions", text);
}

QString label(const OptionRow& row)
{
    QString text = "--"_L1 + QLatin1StringView(row.name);
    if (row.shortName != '\0')
        text = u'-' + QChar::fromLatin1(row.shortName) + ", "_L1 + text;
    if (row.valueName)
        text += u' ' + QLatin1StringView(row.valueName);
    return text;
}

struct Action {
    const char16_t* name;
    ProgramOptions::Verb verb;
    const char16_t* tab; // nullptr: the request's target
};

constexpr Action kActions[] = {
    {u"", ProgramOptions::Verb::Show, nullptr},
    {u"show", ProgramOptions::Verb::Show, nullptr},
    {u"toggle", ProgramOptions::Verb::Toggle, nullptr},
    {u"background", ProgramOptions::Verb::Background, nullptr},
    {u"clean-downloads", ProgramOptions::Verb::Show, u"Cleanup"},
    {u"task-manager", ProgramOptions::Verb::Show, u"TaskManager"},
    {u"disk-manager", ProgramOptions::Verb::Show, u"DiskManager"},
    {u"scan", ProgramOptions::Verb::Show, u"Cleanup"}, // target: the folder
};

QString unknownTab(const QString& tab)
{
    return QCoreApplication::translate("ProgramOptions", "unknown tab “%1”; the tabs are %2")
        .arg(tab, ProgramOptions::tabNames().join(", "_L1));
}

// Words filled into lines of at most `width` columns, every line after the first indented.
QString wrapped(const QString& text, int indent, int width = 79)
{
    QString out;
    int column = indent;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (column > indent && column + 1 + word.size() > width) {
            out += u'\n' + QString(indent, u' ');
            column = indent;
        } else if (column > indent) {
            out += u' ';
            ++column;
        }
        out += word;
        column += int(word.size());
    }
    return out;
}

// roff text: a backslash, a minus and a line that starts with a dot or a quote kept literal.
QString roff(QString text)
{
    text.replace(u'\\', "\\e"_L1).replace(u'-', "\\-"_L1);
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend("\\&"_L1);
    return text;
}

} // namespace

const QStringList& ProgramOptions::tabNames()
{
    static const QStringList names{u"Applications"_s, u"TaskManager"_s, u"Cleanup"_s,
                                   u"StartupItems"_s, u"DiskManager"_s, u"QuickVisit"_s,
                                   u"HotUtilities"_s};
    return names;
}

ProgramOptions::Outcome ProgramOptions::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // "-platform xcb" as the toolkit writes its options; "-h" and "-V" still work.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionRow& row : kOptions) {
        QStringList names{QLatin1StringView(row.name)};
        if (row.shortName != '\0')
            names.prepend(QString(QChar::fromLatin1(row.shortName)));
        QCommandLineOption option(names, QString(),
                                  row.valueName ? QLatin1StringView(row.valueName) : QString());
        parser.addOption(option);
    }
    for (const char* name : kToolkitOptionsWithValue)
        parser.addOption(QCommandLineOption(QLatin1StringView(name), QString(), u"VALUE"_s));
    for (const char* name : kToolkitFlags)
        parser.addOption(QCommandLineOption(QLatin1StringView(name)));

    Outcome outcome;
    const auto fail = [&outcome](const QString& error) {
        outcome.exitCode = 2;
        outcome.error = u"corvella: "_s + error + u'\n' +
                        QCoreApplication::translate("ProgramOptions", "Try “corvella --help”.") +
                        u'\n';
        return outcome;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QCoreApplication::translate(
                        "ProgramOptions", "corvella takes no file or folder names (given: %1)")
                        .arg(parser.positionalArguments().join(u' ')));
    if (parser.isSet(u"help"_s)) {
        outcome.exitCode = 0;
        outcome.output = helpText();
        return outcome;
    }
    if (parser.isSet(u"version"_s)) {
        outcome.exitCode = 0;
        outcome.output = "corvella "_L1 + QLatin1StringView(CORVELLA_VERSION) + u'\n';
        return outcome;
    }
    if (parser.isSet(u"generate-man"_s)) {
        outcome.exitCode = 0;
        outcome.manPageFile = parser.value(u"generate-man"_s);
        return outcome;
    }
    const int verbs = int(parser.isSet(u"show"_s)) + int(parser.isSet(u"toggle"_s)) +
                      int(parser.isSet(u"background"_s));
    if (verbs > 1)
        return fail(QCoreApplication::translate(
            "ProgramOptions", "--show, --toggle and --background exclude one another"));
    if (parser.isSet(u"toggle"_s))
        outcome.request.verb = Verb::Toggle;
    else if (parser.isSet(u"background"_s))
        outcome.request.verb = Verb::Background;
    if (parser.isSet(u"scan"_s)) {
        if (verbs > 0 || parser.isSet(u"tab"_s))
            return fail(translated("--scan opens the Cleanup tab: it takes no --tab, --show, "
                                   "--toggle or --background"));
        // Made absolute here: the running copy works in another folder.
        outcome.request.tab = u"Cleanup"_s;
        outcome.request.scanPath =
            QFile::decodeName(NativePath::absolute(QFile::encodeName(parser.value(u"scan"_s))));
    }
    if (parser.isSet(u"tab"_s)) {
        outcome.request.tab = parser.value(u"tab"_s);
        if (!tabNames().contains(outcome.request.tab))
            return fail(unknownTab(outcome.request.tab));
    }
    return outcome;
}

QString ProgramOptions::helpText()
{
    QString text = QCoreApplication::translate("ProgramOptions", "Usage: corvella [OPTION]...") +
                   u'\n' + wrapped(translated(kSummary), 0) + "\n\n"_L1 +
                   QCoreApplication::translate("ProgramOptions", "Options:") + u'\n';
    for (const OptionRow& row : kOptions) {
        if (!row.description)
            continue;
        text += "  "_L1 + label(row).leftJustified(20) + u' ' +
                wrapped(translated(row.description), 23) + u'\n';
    }
    return text + u'\n' +
           wrapped(QCoreApplication::translate(
                       "ProgramOptions",
                       "The toolkit's own options (-platform NAME, -display DISPLAY, "
                       "-style NAME, ...) are taken too. See corvella(1) and "
                       "corvella-cli(1)."),
                   0) +
           u'\n';
}

QByteArray ProgramOptions::manPage()
{
    QStringList lines{
        u".\\\" Written from the option table of corvella by `corvella --generate-man`."_s,
        u".TH CORVELLA 1 \"%1\" \"Corvella %2\" \"User Commands\""_s.arg(
            QLatin1StringView(CORVELLA_RELEASE_DATE), QLatin1StringView(CORVELLA_VERSION)),
        u".SH NAME"_s,
        u"corvella \\- a system utility for the Linux desktop, in the system tray"_s,
        u".SH SYNOPSIS"_s,
        u".B corvella"_s,
        u".RI [ OPTION ]..."_s,
        u".SH DESCRIPTION"_s,
        roff(QString::fromUtf8(kSummary)),
        u".PP"_s,
        roff(u"The tools: Applications (every installed application, searchable, opened with one "
             "click), Task Manager (the running applications, ended on request, with the CPU and "
             "memory load), Cleanup (empty the trash of every volume; scan the Downloads folder, "
             "then Move to Trash or Completely Erase), Startup Items (the applications that start "
             "at login), Disk Manager (the mounted volumes; eject, rename, format), Quick Visit "
             "and Hot Utilities (common folders, tools, settings and web links). Beside them: "
             "volume and brightness, system information, the update check, and shut down, sleep, "
             "restart and log out. Actions that cannot be undone ask first, with Cancel as the "
             "default."_s),
        u".PP"_s,
        roff(u"Where the desktop has no system tray (plain GNOME), the panel opens at every start "
             "and says how to reach it again: the launcher icon, its actions (Clean Downloads, "
             "Task Manager, Disk Manager), or corvella --show."_s),
        u".SH OPTIONS"_s,
    };
    for (const OptionRow& row : kOptions) {
        if (!row.description)
            continue;
        lines << u".TP"_s << "\\fB"_L1 + roff(label(row)) + "\\fR"_L1
              << roff(QString::fromUtf8(row.description));
    }
    lines << u".PP"_s
          << roff(u"The toolkit's own options are taken too, for instance -platform NAME and "
                  "-display DISPLAY; see the Qt documentation of QGuiApplication."_s);
    lines << u".SH ACTIVATION"_s
          << roff(u"The running copy owns the name com.brimwick.corvella on the session bus and "
                  "serves org.freedesktop.Application at /com/brimwick/corvella: Activate shows "
                  "the panel; ActivateAction takes show and toggle (with a tab name as the "
                  "parameter, or none), background, and the desktop entry's actions "
                  "clean-downloads, task-manager and disk-manager, and scan (with an absolute "
                  "folder path as the parameter); Open is refused. A later "
                  "start forwards its options there, with its XDG_ACTIVATION_TOKEN or "
                  "DESKTOP_STARTUP_ID, and falls back to a socket in XDG_RUNTIME_DIR where "
                  "there is no session bus."_s);
    lines << u".SH START AT LOGIN"_s
          << roff(u"Corvella adds nothing to the login items by itself. The tray menu's Start at "
                  "Login, or corvella-cli settings login on, writes "
                  "$XDG_CONFIG_HOME/autostart/com.brimwick.corvella.desktop, which starts "
                  "corvella --background; turning it off removes it."_s);
    lines << u".SH ENVIRONMENT"_s;
    const std::pair<const char16_t*, const char16_t*> environment[] = {
        {u"XDG_CONFIG_HOME",
         u"The folder of the user's settings and of the autostart entries (~/.config when "
         "unset)."},
        {u"XDG_RUNTIME_DIR",
         u"The folder of the single-instance socket, corvella/ (else a private folder in the "
         "temporary folder)."},
        {u"XDG_ACTIVATION_TOKEN, DESKTOP_STARTUP_ID",
         u"Handed to the running copy, so that it may raise its panel."},
        {u"CORVELLA_STARTUP_PROBE",
         u"When set, the time at which the panel first painted is printed on standard error "
         "(for the start-up benchmark)."},
    };
    for (const auto& [name, meaning] : environment)
        lines << u".TP"_s << "\\fB"_L1 + roff(QString::fromUtf16(name)) + "\\fR"_L1
              << roff(QString::fromUtf16(meaning));
    lines << u".SH FILES"_s << u".TP"_s << u".I $XDG_CONFIG_HOME/corvella/StringMessage.plist"_s
          << roff(u"The settings written on this machine; every other key comes from the shipped "
                  "file, share/corvella/StringMessage.plist under the installation prefix."_s)
          << u".TP"_s << u".I $XDG_CONFIG_HOME/autostart/com.brimwick.corvella.desktop"_s
          << roff(u"The login item, written only by Start at Login."_s);
    lines << u".SH EXIT STATUS"_s
          << roff(u"0 when the program ran, or when a running copy took the request; 2 for an "
                  "unknown option or tab."_s);
    lines << u".SH SEE ALSO"_s << u"\\fBcorvella\\-cli\\fR(1)"_s;
    return lines.join(u'\n').toUtf8() + '\n';
}

ActivationRequest ProgramOptions::activationFor(const Request& request)
{
    switch (request.verb) {
    case Verb::Toggle:
        return ActivationRequest::fromEnvironment(u"toggle"_s, request.tab);
    case Verb::Background:
        return ActivationRequest::fromEnvironment(u"background"_s);
    case Verb::Show:
        break;
    }
    if (!request.scanPath.isEmpty())
        return ActivationRequest::fromEnvironment(u"scan"_s, request.scanPath);
    return request.tab.isEmpty() ? ActivationRequest::fromEnvironment()
                                 : ActivationRequest::fromEnvironment(u"show"_s, request.tab);
}

std::optional<ProgramOptions::Request>
ProgramOptions::requestFor(const ActivationRequest& activation, QString* error)
{
    for (const Action& action : kActions) {
        if (activation.action != QStringView(action.name))
            continue;
        Request request{
            action.verb, action.tab ? QString::fromUtf16(action.tab) : activation.target, {}};
        if (activation.action == u"scan") {
            request.scanPath = activation.target;
            if (!QDir::isAbsolutePath(request.scanPath)) {
                *error =
                    translated("scan needs an absolute path (given: “%1”)").arg(activation.target);
                return std::nullopt;
            }
        }
        if (!request.tab.isEmpty() && !tabNames().contains(request.tab)) {
            *error = unknownTab(request.tab);
            return std::nullopt;
        }
        return request;
    }
    *error =
        QCoreApplication::translate("ProgramOptions", "unknown action “%1”").arg(activation.action);
    return std::nullopt;
}
