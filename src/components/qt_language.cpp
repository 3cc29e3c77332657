#include "qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace corvane::components {

bool installQtTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool any = false;
    // The last installed is asked first: the European catalogue, then the
    // Brazilian one for the texts newer than it.
    for (const auto& [catalogue, locale] :
         {std::pair{"qtbase", QLocale(QLocale::Portuguese, QLocale::Brazil)},
          std::pair{"qt", QLocale(QLocale::Portuguese, QLocale::Portugal)}}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(locale, QString::fromLatin1(catalogue), QStringLiteral("_"), folder) &&
            app.installTranslator(translator))
            any = true;
        else
            delete translator;
    }
    return any;
}

} // namespace corvane::components
