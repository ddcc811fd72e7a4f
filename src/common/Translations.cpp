#include "common/Translations.h"

#include "common/ShippedFiles.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

QString Translations::folder()
{
    return ShippedFiles::locate(u"translations"_s);
}

QString Translations::install(const QLocale& locale, const QString& folder)
{
    // Parented to the application: it outlives every text shown.
    auto* program = new QTranslator(QCoreApplication::instance());
    if (!program->load(locale, u"corvella"_s, u"_"_s, folder) &&
        !program->load(u"corvella_en"_s, folder)) {
        delete program;
        return {};
    }
    QCoreApplication::installTranslator(program);
    const QString language = QLocale(program->language()).name().section(u'_', 0, 0);
    if (language == u"en")
        return language;

    auto* toolkit = new QTranslator(QCoreApplication::instance());
    if (toolkit->load(QLocale(program->language()), u"qtbase"_s, u"_"_s,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkit);
    else
        delete toolkit;
    return language;
}
