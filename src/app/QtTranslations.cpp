#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace alvetra {

QTranslator *installQtPolish(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    // A program shipped with its own Qt (Windows) keeps the translation in "translations" beside
    // the executable; a program of the system's Qt finds it where that Qt keeps its own.
    const QString shipped = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
    const QString system = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const bool loaded = translator->load(QStringLiteral("qtbase_pl"), shipped)
                        || translator->load(QStringLiteral("qtbase_pl"), system);
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        qWarning().noquote() << "alvetra: Qt's Polish translation qtbase_pl was not found in" << shipped << "nor in"
                             << system << "(package qt6-translations-l10n)";
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace alvetra
