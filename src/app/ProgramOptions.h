#pragma once

#include "platform/ActivationRequest.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The options of the tray program `corvella` itself, in one table that parses the arguments,
// prints --help and writes the man page corvella(1) (the build runs the hidden option
// `--generate-man FILE`), so the three cannot drift. Parsing comes before the GUI starts and
// needs no display. The toolkit's own options (-platform NAME, -display DISPLAY, -style NAME,
// ...) are accepted and left for it.
//
// A start asks for a Request: the running copy, or the new one when none runs, carries it out.
// On the way it travels as an ActivationRequest, whose action names are these: "" (show),
// "show" and "toggle" (target: a tab or empty), "background", and the desktop entry's actions
// "clean-downloads", "task-manager" and "disk-manager" (show on that tab), and "scan" (target: the
// absolute path of a folder for the space finder).
//
// Stateless; any thread.
class ProgramOptions {
public:
    ProgramOptions() = delete;

    enum class Verb {
        Show,      // show the panel and bring it to the front (a bare start)
        Toggle,    // hide a shown panel, else show it
        Background // start in the tray; a running copy is left as it is
    };
    struct Request {
        Verb verb = Verb::Show;
        QString tab;      // empty: the tab last picked
        QString scanPath; // absolute: the folder the space finder scans (--scan), or empty
        bool operator==(const Request&) const = default;
    };

    struct Outcome {
        // -1: start (or reach the running copy) with `request`. Otherwise exit with this status
        // at once, after printing `output` on standard output and `error` on standard error,
        // and writing the man page into `manPageFile` when it is set.
        int exitCode = -1;
        QString output;
        QString error;
        QString manPageFile;
        Request request;
    };

    // arguments: as the process got them, the program's name first.
    static Outcome parse(const QStringList& arguments);

    // The identifiers of the panel's tabs, in the panel's order.
    static const QStringList& tabNames();
    static QString helpText();
    static QByteArray manPage();

    static ActivationRequest activationFor(const Request& request);
    // The request an activation asks for; nullopt, with *error set, for an unknown action or tab.
    static std::optional<Request> requestFor(const ActivationRequest& activation, QString* error);
};
