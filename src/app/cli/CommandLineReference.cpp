#include "app/cli/CommandLineReference.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Operands = CommandLineCommand::Operands;

const char* const kGeneratedBy = "from corvella-cli's command table by `corvella-cli --generate";

// Every command but help takes -h/--help: help reads all its arguments as names of commands.
const CommandLineOption helpOption{"help", 'h', nullptr, "Print this help."};

// The rows of one command name: the one without a verb (if any) and those with one.
struct Group {
    QString name;
    const CommandLineCommand* bare = nullptr;
    QList<const CommandLineCommand*> verbs;
};

QList<Group> groupsOf(const QList<CommandLineCommand>& commands)
{
    QList<Group> groups;
    for (const CommandLineCommand& command : commands) {
        const QString name = QLatin1StringView(command.name);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&name](const Group& known) { return known.name == name; });
        if (group == groups.end()) {
            groups.append(Group{name, nullptr, {}});
            group = groups.end() - 1;
        }
        if (*command.verb == '\0')
            group->bare = &command;
        else
            group->verbs.append(&command);
    }
    return groups;
}

QStringList verbNames(const Group& group)
{
    QStringList names;
    for (const CommandLineCommand* row : group.verbs)
        names.append(QLatin1StringView(row->verb));
    return names;
}

QStringList commandNames(const QList<Group>& groups)
{
    QStringList names;
    for (const Group& group : groups)
        names.append(group.name);
    return names;
}

// A command in a list of commands: its summary, or its verbs when it has no row of its own.
QString groupSummary(const Group& group)
{
    return group.bare != nullptr ? QString::fromUtf8(group.bare->summary)
                                 : verbNames(group).join(" | "_L1);
}

QList<CommandLineOption> completedOptions(const CommandLineCommand& row)
{
    QList<CommandLineOption> options = row.options;
    if (row.handler != nullptr)
        options.append(helpOption);
    return options;
}

bool takesPath(const CommandLineOption& option)
{
    return option.valueName != nullptr && QLatin1StringView(option.valueName).endsWith("PATH"_L1);
}

QStringList optionWords(const CommandLineOption& option)
{
    QStringList words;
    if (option.shortName != '\0')
        words.append(u'-' + QString(QLatin1Char(option.shortName)));
    words.append("--"_L1 + QLatin1StringView(option.name));
    return words;
}

// ---- man page (roff, the man macros) ----

QString roff(QStringView text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += "\\e"_L1;
        else if (c == u'-')
            out += "\\-"_L1;
        else
            out += c;
    }
    // A line that begins with a dot or an apostrophe would be read as a request.
    if (out.startsWith(u'.') || out.startsWith(u'\''))
        out.prepend("\\&"_L1);
    return out;
}

QString bold(QStringView text)
{
    return "\\fB"_L1 + roff(text) + "\\fR"_L1;
}

QString italic(QStringView text)
{
    return "\\fI"_L1 + roff(text) + "\\fR"_L1;
}

// Options and literal words in bold, the names of operands and values in italics.
QString roffSynopsis(const QString& synopsis)
{
    static const QRegularExpression word(u"--?[a-z][a-z0-9-]*|[a-z][a-z0-9]*|[A-Z][A-Z0-9]*"_s);
    QString out;
    qsizetype at = 0;
    QRegularExpressionMatchIterator matches = word.globalMatch(synopsis);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        out += roff(QStringView(synopsis).mid(at, match.capturedStart() - at));
        out +=
            match.captured().front().isUpper() ? italic(match.captured()) : bold(match.captured());
        at = match.capturedEnd();
    }
    return out + roff(QStringView(synopsis).sliced(at));
}

QString commandSynopsis(const CommandLineCommand& row)
{
    QString line = bold(row.fullName());
    if (*row.synopsis != '\0')
        line += u' ' + roffSynopsis(QString::fromUtf8(row.synopsis));
    return line;
}

QString optionLabel(const CommandLineOption& option)
{
    QStringList words;
    for (const QString& word : optionWords(option))
        words.append(bold(word));
    QString label = words.join(", "_L1);
    if (option.valueName != nullptr)
        label += u' ' + italic(QString::fromLatin1(option.valueName));
    return label;
}

QString manPage(const QList<CommandLineCommand>& commands)
{
    QStringList lines{
        ".\\\" Written "_L1 + QLatin1StringView(kGeneratedBy) + " man`; do not edit."_L1,
        ".TH CORVELLA\\-CLI 1 \""_L1 + QLatin1StringView(CORVELLA_RELEASE_DATE) +
            "\" \"Corvella "_L1 + QLatin1StringView(CORVELLA_VERSION) + "\" \"User Commands\""_L1,
        ".SH NAME"_L1,
        "corvella\\-cli \\- the tools of the Corvella system utility on the command line"_L1,
        ".SH SYNOPSIS"_L1,
        ".nf"_L1,
        "\\fBcorvella\\-cli \\-\\-version\\fR"_L1,
        "\\fBcorvella\\-cli \\-\\-help\\fR"_L1,
    };
    for (const CommandLineCommand& row : commands)
        lines.append(bold(u"corvella-cli") + u' ' + commandSynopsis(row));
    lines.append(QStringList{
        ".fi"_L1,
        ".SH DESCRIPTION"_L1,
        "\\fBcorvella\\-cli\\fR offers the tools of Corvella's panel (see \\fBcorvella\\fR(1)) on "
        "the command line: the folder scan, Move to Trash and Completely Erase, the trash, the "
        "Disk Manager, the Task Manager, Applications, Startup Items, volume and brightness, the "
        "system information, the update check and the settings. The panel and the command line "
        "share one core library, so a command follows the same rules as its tab."_L1,
        ".PP"_L1,
        "Options may come anywhere among a command's operands, and \\fB\\-\\-\\fR ends them: "
        "every argument after it is an operand, even one that begins with a hyphen. An unknown "
        "option, a missing or bad value and a wrong number of operands are refused with exit "
        "status 2 before anything is touched. Numbers are plain decimal digits."_L1,
        ".PP"_L1,
        "Paths are taken as the bytes the shell passed, so names that are not valid UTF\\-8 work. "
        "Plain listings write a backslash as \\e\\e and a control character as \\exNN, so a name "
        "never makes a second row or column; \\fB\\-\\-json\\fR output writes a byte that is not "
        "UTF\\-8 as the lone surrogate \\eudcXX."_L1,
        ".PP"_L1,
        "Results go to standard output; messages, and progress when it is a terminal, go to "
        "standard error."_L1,
        ".SH OPTIONS"_L1,
        ".TP"_L1,
        "\\fB\\-V\\fR, \\fB\\-\\-version\\fR"_L1,
        "Print the version."_L1,
        ".TP"_L1,
        "\\fB\\-h\\fR, \\fB\\-\\-help\\fR"_L1,
        "Print every command with a one\\-line summary."_L1,
        ".SH COMMANDS"_L1,
        "Every command but \\fBhelp\\fR also takes \\fB\\-h\\fR or \\fB\\-\\-help\\fR, which "
        "describes it, and \\fB\\-\\-\\fR."_L1,
    });
    for (const CommandLineCommand& row : commands) {
        lines << ".TP"_L1 << commandSynopsis(row) << roff(QString::fromUtf8(row.summary));
        if (row.options.isEmpty())
            continue;
        lines.append(".RS"_L1);
        for (const CommandLineOption& option : row.options)
            lines << ".TP"_L1 << optionLabel(option) << roff(QString::fromUtf8(option.description));
        lines.append(".RE"_L1);
    }
    lines.append(QStringList{
        ".SH EXIT STATUS"_L1,
        ".TP"_L1,
        ".B 0"_L1,
        "The command did what was asked."_L1,
        ".TP"_L1,
        ".B 1"_L1,
        "It failed, or part of it did (an item that could not be removed, a volume that could "
        "not be ejected, a missing setting); standard error says what."_L1,
        ".TP"_L1,
        ".B 2"_L1,
        "A usage error: an unknown command or option, a bad value, a wrong number of operands. "
        "Nothing was touched."_L1,
        ".SH ENVIRONMENT"_L1,
        ".TP"_L1,
        ".B XDG_CONFIG_HOME"_L1,
        "The folder of the user's settings (\\fI~/.config\\fR when unset)."_L1,
        ".TP"_L1,
        ".B XDG_DATA_HOME"_L1,
        "The folder of the home trash, \\fITrash\\fR (\\fI~/.local/share\\fR when unset)."_L1,
        ".SH FILES"_L1,
        ".TP"_L1,
        ".I $XDG_CONFIG_HOME/corvella/StringMessage.plist"_L1,
        "The settings written on this machine (\\fBsettings set\\fR); every other key comes from "
        "the shipped file."_L1,
        ".TP"_L1,
        ".I share/corvella/StringMessage.plist"_L1,
        "The shipped settings, under the installation prefix."_L1,
        ".SH SEE ALSO"_L1,
        "\\fBcorvella\\fR(1)"_L1,
    });
    return lines.join(u'\n') + u'\n';
}

// ---- bash ----

QString words(const QStringList& list)
{
    return u'\'' + list.join(u' ') + u'\'';
}

QString bashCompletion(const QList<CommandLineCommand>& commands)
{
    const QList<Group> groups = groupsOf(commands);
    QStringList lines{
        "# bash completion for corvella-cli"_L1,
        "# Written "_L1 + QLatin1StringView(kGeneratedBy) + " bash`; do not edit."_L1,
        QString(),
        "_corvella_cli_verbs()"_L1,
        "{"_L1,
        "    case $1 in"_L1,
    };
    for (const Group& group : groups) {
        if (!group.verbs.isEmpty())
            lines.append("    "_L1 + group.name + ") echo "_L1 + words(verbNames(group)) +
                         " ;;"_L1);
    }
    lines.append(QStringList{
        "    esac"_L1,
        "}"_L1,
        QString(),
        "_corvella_cli_files()"_L1,
        "{"_L1,
        "    if declare -F _filedir >/dev/null; then"_L1,
        "        _filedir"_L1,
        "    else"_L1,
        "        compopt -o filenames 2>/dev/null"_L1,
        "        mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")"_L1,
        "    fi"_L1,
        "}"_L1,
        QString(),
        "_corvella_cli()"_L1,
        "{"_L1,
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}"_L1,
        "    local verbs verb= first=2 options= valued= paths= operands= i"_L1,
        "    COMPREPLY=()"_L1,
        "    if ((COMP_CWORD == 1)); then"_L1,
        "        mapfile -t COMPREPLY < <(compgen -W "_L1 +
            words(commandNames(groups) +
                  QStringList{"-h"_L1, "--help"_L1, "-V"_L1, "--version"_L1}) +
            " -- \"$cur\")"_L1,
        "        return"_L1,
        "    fi"_L1,
        "    verbs=$(_corvella_cli_verbs \"${COMP_WORDS[1]}\")"_L1,
        "    if ((COMP_CWORD > 2)) && [[ \" $verbs \" == *\" ${COMP_WORDS[2]} \"* ]]; then"_L1,
        "        verb=${COMP_WORDS[2]}"_L1,
        "        first=3"_L1,
        "    fi"_L1,
        "    case \"${COMP_WORDS[1]} $verb\" in"_L1,
    });
    for (const CommandLineCommand& row : commands) {
        QStringList options, valued, paths;
        for (const CommandLineOption& option : completedOptions(row)) {
            options += optionWords(option);
            if (option.valueName != nullptr)
                valued += optionWords(option);
            if (takesPath(option))
                paths += optionWords(option);
        }
        QString assignments = "options="_L1 + words(options);
        if (!valued.isEmpty())
            assignments += " valued="_L1 + words(valued);
        if (!paths.isEmpty())
            assignments += " paths="_L1 + words(paths);
        if (row.operands == Operands::Paths)
            assignments += " operands=paths"_L1;
        else if (row.operands == Operands::Commands)
            assignments += " operands=commands"_L1;
        const QString pattern = QLatin1StringView(row.name) + u' ' + QLatin1StringView(row.verb);
        lines.append("    '"_L1 + pattern + "') "_L1 + assignments + " ;;"_L1);
    }
    lines.append(QStringList{
        "    esac"_L1,
        "    # \"--\" ends the options: every word after it is an operand."_L1,
        "    for ((i = first; i < COMP_CWORD; i++)); do"_L1,
        "        [[ ${COMP_WORDS[i]} == -- ]] && options= valued="_L1,
        "    done"_L1,
        "    if [[ -n $valued && \" $valued \" == *\" $prev \"* ]]; then"_L1,
        "        [[ \" $paths \" == *\" $prev \"* ]] && _corvella_cli_files"_L1,
        "        return"_L1,
        "    fi"_L1,
        "    if [[ -n $options && $cur == -* ]]; then"_L1,
        "        mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")"_L1,
        "        return"_L1,
        "    fi"_L1,
        "    case $operands in"_L1,
        "    paths) _corvella_cli_files ;;"_L1,
        "    commands)"_L1,
        "        if ((COMP_CWORD == 2)); then"_L1,
        "            mapfile -t COMPREPLY < <(compgen -W "_L1 + words(commandNames(groups)) +
            " -- \"$cur\")"_L1,
        "        elif ((COMP_CWORD == 3)); then"_L1,
        "            mapfile -t COMPREPLY < <(compgen -W \"$(_corvella_cli_verbs "
        "\"${COMP_WORDS[2]}\")\" -- \"$cur\")"_L1,
        "        fi"_L1,
        "        ;;"_L1,
        "    esac"_L1,
        "    if ((COMP_CWORD == 2)) && [[ -n $verbs ]]; then"_L1,
        "        mapfile -t -O ${#COMPREPLY[@]} COMPREPLY < <(compgen -W \"$verbs\" -- \"$cur\")"_L1,
        "    fi"_L1,
        "}"_L1,
        QString(),
        "complete -F _corvella_cli corvella-cli"_L1,
    });
    return lines.join(u'\n') + u'\n';
}

// ---- zsh ----

// Inside single quotes: a quote closes, escapes itself and reopens.
QString singleQuoted(QStringView text)
{
    return u'\'' + text.toString().replace(u'\'', "'\\''"_L1) + u'\'';
}

// A description inside _arguments' brackets, where a bracket must be escaped.
QString zshExplanation(const char* text)
{
    QString explanation = QString::fromUtf8(text);
    explanation.replace(u'[', "\\["_L1).replace(u']', "\\]"_L1);
    return explanation;
}

// The first word of a synopsis without brackets or dots: "KEY", "PID", "get".
QString operandName(const CommandLineCommand& row)
{
    QString name = QString::fromUtf8(row.synopsis).section(u' ', 0, 0);
    name.remove(u'[').remove(u']').remove(u'.');
    return name.isEmpty() ? u"operand"_s : name;
}

QString zshOptionArgument(const CommandLineOption& option)
{
    const QStringList names = optionWords(option);
    QString exclusions;
    if (names.size() > 1)
        exclusions =
            singleQuoted(QString(u'(' + names.join(u' ') + u')')) + u'{' + names.join(u',') + u'}';
    const QString value = option.valueName == nullptr
                              ? QString()
                              : ":"_L1 + QLatin1StringView(option.valueName) +
                                    (takesPath(option) ? ":_files"_L1 : ": "_L1);
    const QString tail = (option.valueName != nullptr && names.size() == 1 ? "="_L1 : ""_L1) +
                         u'[' + zshExplanation(option.description) + u']' + value;
    return names.size() > 1 ? exclusions + singleQuoted(tail)
                            : singleQuoted(QString(names.first() + tail));
}

QString zshCompletion(const QList<CommandLineCommand>& commands)
{
    const QList<Group> groups = groupsOf(commands);
    QStringList lines{
        "#compdef corvella-cli"_L1,
        "# zsh completion for corvella-cli"_L1,
        "# Written "_L1 + QLatin1StringView(kGeneratedBy) + " zsh`; do not edit."_L1,
        QString(),
        "_corvella-cli() {"_L1,
        "  local -a commands verbs"_L1,
        "  if (( CURRENT == 2 )); then"_L1,
        "    if [[ $PREFIX == -* ]]; then"_L1,
        "      compadd -- -h --help -V --version"_L1,
        "      return"_L1,
        "    fi"_L1,
        "    commands=("_L1,
    };
    for (const Group& group : groups)
        lines.append("      "_L1 + singleQuoted(QString(group.name + u':' + groupSummary(group))));
    lines.append(QStringList{
        "    )"_L1,
        "    _describe -t commands 'corvella-cli command' commands"_L1,
        "    return"_L1,
        "  fi"_L1,
        "  case $words[2] in"_L1,
    });
    for (const Group& group : groups) {
        if (group.verbs.isEmpty())
            continue;
        QStringList verbs;
        for (const CommandLineCommand* row : group.verbs) {
            verbs.append(singleQuoted(
                QString(QLatin1StringView(row->verb) + u':' + QString::fromUtf8(row->summary))));
        }
        lines.append("    "_L1 + group.name + ") verbs=("_L1 + verbs.join(u' ') + ") ;;"_L1);
    }
    lines.append(QStringList{
        "  esac"_L1,
        "  if (( CURRENT == 3 && $#verbs )) && [[ $PREFIX != -* ]]; then"_L1,
        "    _describe -t verbs \"$words[2] command\" verbs"_L1,
        "    return"_L1,
        "  fi"_L1,
        "  local row=$words[2]"_L1,
        "  if (( CURRENT > 3 && ${verbs[(I)${(b)words[3]}:*]} )); then"_L1,
        "    row+=\" $words[3]\""_L1,
        "    shift 2 words"_L1,
        "    (( CURRENT -= 2 ))"_L1,
        "  else"_L1,
        "    shift words"_L1,
        "    (( CURRENT-- ))"_L1,
        "  fi"_L1,
        "  case $row in"_L1,
    });
    for (const CommandLineCommand& row : commands) {
        QStringList arguments{"_arguments -s -S"_L1};
        for (const CommandLineOption& option : completedOptions(row))
            arguments.append(zshOptionArgument(option));
        if (row.operands == Operands::Paths)
            arguments.append("'*:path:_files'"_L1);
        else if (row.operands == Operands::Text)
            arguments.append(singleQuoted(QString("*:"_L1 + operandName(row) + ": "_L1)));
        else if (row.operands == Operands::Commands)
            arguments.append("'1:command:("_L1 + commandNames(groups).join(u' ') + ")'"_L1);
        lines.append("    "_L1 + singleQuoted(row.fullName()) + ") "_L1 + arguments.join(u' ') +
                     " ;;"_L1);
    }
    lines.append(QStringList{
        "  esac"_L1,
        "}"_L1,
        QString(),
        "_corvella-cli \"$@\""_L1,
    });
    return lines.join(u'\n') + u'\n';
}

// ---- fish ----

QString fishQuoted(QStringView text)
{
    QString quoted = text.toString();
    quoted.replace(u'\\', "\\\\"_L1).replace(u'\'', "\\'"_L1);
    return u'\'' + quoted + u'\'';
}

QString fishCompletion(const QList<CommandLineCommand>& commands)
{
    const QList<Group> groups = groupsOf(commands);
    QStringList lines{
        "# fish completion for corvella-cli"_L1,
        "# Written "_L1 + QLatin1StringView(kGeneratedBy) + " fish`; do not edit."_L1,
        QString(),
        "# True when the words before the cursor are `corvella-cli NAME VERB`, or, with VERB empty,"_L1,
        "# `corvella-cli NAME` followed by none of the other VERBS."_L1,
        "function __corvella_cli_row"_L1,
        "    set -l words (commandline -opc)"_L1,
        "    test \"$words[2]\" = \"$argv[1]\"; or return 1"_L1,
        "    if test -n \"$argv[2]\""_L1,
        "        test \"$words[3]\" = \"$argv[2]\""_L1,
        "        return"_L1,
        "    end"_L1,
        "    set -e argv[1..2]"_L1,
        "    not contains -- \"$words[3]\" $argv"_L1,
        "end"_L1,
        QString(),
        "# True when the cursor is on the word after `corvella-cli NAME`."_L1,
        "function __corvella_cli_verb_of"_L1,
        "    set -l words (commandline -opc)"_L1,
        "    test (count $words) -eq 2; and test \"$words[2]\" = \"$argv[1]\""_L1,
        "end"_L1,
        QString(),
        "complete -c corvella-cli -f"_L1,
        "complete -c corvella-cli -n 'test (count (commandline -opc)) -eq 1' -s V -l version "
        "-d 'Print the version.'"_L1,
        "complete -c corvella-cli -n 'test (count (commandline -opc)) -eq 1' -s h -l help "
        "-d 'Print every command with a one-line summary.'"_L1,
    };
    for (const Group& group : groups) {
        lines.append("complete -c corvella-cli -n 'test (count (commandline -opc)) -eq 1' -a "_L1 +
                     group.name + " -d "_L1 + fishQuoted(groupSummary(group)));
    }
    for (const Group& group : groups) {
        for (const CommandLineCommand* row : group.verbs) {
            lines.append("complete -c corvella-cli -n '__corvella_cli_verb_of "_L1 + group.name +
                         "' -a "_L1 + QLatin1StringView(row->verb) + " -d "_L1 +
                         fishQuoted(QString::fromUtf8(row->summary)));
        }
    }
    for (const Group& group : groups) {
        QList<const CommandLineCommand*> rows = group.verbs;
        if (group.bare != nullptr)
            rows.prepend(group.bare);
        for (const CommandLineCommand* row : std::as_const(rows)) {
            // `tasks end`, or `disks "" rename format eject` for the row without a verb.
            const QString rowWords =
                *row->verb != '\0' ? QString::fromLatin1(row->verb)
                                   : QString("\"\" "_L1 + verbNames(group).join(u' ')).trimmed();
            const QString condition = "complete -c corvella-cli -n '__corvella_cli_row "_L1 +
                                      group.name + u' ' + rowWords + u'\'';
            for (const CommandLineOption& option : completedOptions(*row)) {
                QString line = condition;
                if (option.shortName != '\0')
                    line += " -s "_L1 + QLatin1Char(option.shortName);
                line += " -l "_L1 + QLatin1StringView(option.name);
                if (option.valueName != nullptr)
                    line += takesPath(option) ? " -r -F"_L1 : " -x"_L1;
                lines.append(line + " -d "_L1 + fishQuoted(QString::fromUtf8(option.description)));
            }
            if (row->operands == Operands::Paths)
                lines.append(condition + " -F"_L1);
            else if (row->operands == Operands::Commands)
                lines.append(condition + " -a "_L1 + fishQuoted(commandNames(groups).join(u' ')));
        }
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace

QStringList CommandLineReference::kinds()
{
    return {u"man"_s, u"bash"_s, u"zsh"_s, u"fish"_s};
}

QByteArray CommandLineReference::generate(QStringView kind,
                                          const QList<CommandLineCommand>& commands)
{
    if (kind == u"man")
        return manPage(commands).toUtf8();
    if (kind == u"bash")
        return bashCompletion(commands).toUtf8();
    if (kind == u"zsh")
        return zshCompletion(commands).toUtf8();
    if (kind == u"fish")
        return fishCompletion(commands).toUtf8();
    return {};
}
