#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QTranslator>

namespace alvetra {

QTranslator *installQtPolish(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_pl"), folder) || !QCoreApplication::installTranslator(translator)) {
        qWarning().noquote() << "alvetra: Qt's Polish translation qtbase_pl was not found in" << folder
                             << "(package qt6-translations-l10n)";
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace alvetra
