#pragma once

#include "common/Translations.h"

#include <QCoreApplication>
#include <QDir>

// The build tree's translations folder: the test programs live in build/tests/..., the
// translations in build/translations. Call after the application object.
inline QString buildTranslationsFolder()
{
    QDir folder(QCoreApplication::applicationDirPath());
    while (!folder.exists(QStringLiteral("CMakeCache.txt")) && folder.cdUp()) {
    }
    return folder.filePath(QStringLiteral("translations"));
}

// Installs the English translation (the plural forms of the "%n" texts), whatever the
// developer's own language: the tests compare English texts.
inline void installEnglishTranslation()
{
    Translations::install(QLocale(QLocale::English), buildTranslationsFolder());
}
