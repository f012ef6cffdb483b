#include "cli/SheetCommand.h"

#include "alarm/PaperTexts.h"
#include "cli/CliTexts.h"
#include "files/Backups.h"
#include "files/FirmwareFamilies.h"
#include "files/SettingsFile.h"
#include "paper/PaperPdf.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstring>

namespace alvetra::cli {

namespace {

// A backup's name holds the unit's identification; a settings file of the fitter's does not.
QString unitOfBackup(const QString &fileName)
{
    const QFileInfo file(fileName);
    for (const BackupEntry &backup : listBackups(file.absolutePath())) {
        if (QFileInfo(backup.path) == file)
            return backup.unit;
    }
    return {};
}

bool written(const Paper &paper, PaperKind kind, const QString &path, Console &console)
{
    if (const std::optional<QString> error = writePaperPdf(paper, kind, path)) {
        console.message(papertexts::kNotWritten.arg(QDir::toNativeSeparators(path), *error));
        return false;
    }
    console.result(clitexts::kSaved.arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    return true;
}

} // namespace

ExitStatus writeSheet(const CliOptions &options, Console &console)
{
    const QString fileName = options.files.constFirst();
    const std::optional<FirmwareFamily> family = familyForSettingsFileName(fileName);
    if (!family) {
        console.message(clitexts::kUnknownFileKind.arg(fileName));
        return ExitStatus::BadFile;
    }
    SettingsImage image;
    loadSettingsFile(fileName, image);
    PaperFacts facts{options.workshop, QDate::currentDate(), options.car, unitOfBackup(fileName), 0, {}, 0, 0};
    takeSettings(facts, image, family->layout(), family->familyCode);
    if (!written(installationSheet(facts), PaperKind::InstallationSheet, options.output, console))
        return ExitStatus::BadFile;
    if (!options.codeCard.isEmpty() && !written(codeCard(facts), PaperKind::CodeCard, options.codeCard, console))
        return ExitStatus::BadFile;
    return ExitStatus::Ok;
}

std::unique_ptr<QCoreApplication> makeCliApplication(int &argc, char **argv)
{
    if (argc < 2 || std::strcmp(argv[1], "sheet") != 0)
        return std::make_unique<QCoreApplication>(argc, argv);
    // No window is ever shown: a platform that works without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", ALVETRA_CLI_PAPER_PLATFORM);
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace alvetra::cli
