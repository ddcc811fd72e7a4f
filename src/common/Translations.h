#pragma once

#include <QLocale>
#include <QString>

// The program's translations and Qt's own, installed on the running QCoreApplication (or
// QApplication) for the user's languages.
//
// The languages are QLocale::system().uiLanguages(): LANGUAGE first (a colon-separated list,
// "fr:de"; unlike glibc, Qt reads it even when LANG is C or unset), else LC_ALL, LC_MESSAGES,
// LANG. The first language with a corvella_XX.qm wins; when none has one, corvella_en.qm (the
// English plural forms of the "%n" texts) is installed. Qt's own qtbase_XX.qm (standard
// buttons, QCommandLineParser's errors) follows the language chosen, from Qt's translations
// folder.
//
// GUI thread (or the main thread before any other exists); call once, after the application
// object exists: QCoreApplication::installTranslator needs it.
class Translations {
public:
    Translations() = delete;

    // The folder of corvella_XX.qm: "translations" beside the program in the build tree,
    // share/corvella/translations when installed. Empty when neither exists.
    static QString folder();

    // Installs the translators; returns the language chosen ("de", or "en" for the English
    // plural forms; empty when no file was found). The translators live as long as the process.
    static QString install(const QLocale& locale = QLocale::system(),
                           const QString& folder = Translations::folder());
};
