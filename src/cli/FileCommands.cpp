#include "cli/FileCommands.h"

#include "alarm/SettingsDiff.h"
#include "alarm/SettingsWords.h"
#include "cli/CliTexts.h"
#include "files/FirmwareFamilies.h"
#include "files/SettingsFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace alvetra::cli {

namespace {

// The settings a file holds, read at the layout its name stands for; nothing (after telling
// why) for a name of no known kind. Throws FileError for a file that cannot be read.
std::optional<std::vector<SettingWords>> settingsOf(const QString &fileName, Console &console)
{
    const std::optional<FirmwareFamily> family = familyForSettingsFileName(fileName);
    if (!family) {
        console.message(clitexts::kUnknownFileKind.arg(fileName));
        return std::nullopt;
    }
    SettingsImage image;
    loadSettingsFile(fileName, image);
    return describeImage(image, family->layout(), family->familyCode);
}

// Secrets masked unless asked for (--show-secrets); a diff is made before they are.
template <typename List> List shown(List list, const CliOptions &options)
{
    if (!options.showSecrets)
        maskSecrets(list);
    return list;
}

QString json(const std::vector<SettingWords> &settings)
{
    QJsonArray tabs;
    QJsonArray lines;
    QString tab;
    auto closeTab = [&] {
        if (!lines.isEmpty())
            tabs.append(QJsonObject{{QStringLiteral("tab"), tab}, {QStringLiteral("settings"), lines}});
        lines = QJsonArray();
    };
    for (const SettingWords &s : settings) {
        if (s.tab != tab) {
            closeTab();
            tab = s.tab;
        }
        lines.append(QJsonObject{{QStringLiteral("setting"), s.setting},
                                 {QStringLiteral("value"), s.value},
                                 {QStringLiteral("group"), groupsInWords(s.group, s.flagsWord)}});
    }
    closeTab();
    return QString::fromUtf8(QJsonDocument(tabs).toJson(QJsonDocument::Indented)).trimmed();
}

} // namespace

ExitStatus showFile(const CliOptions &options, Console &console)
{
    const std::optional<std::vector<SettingWords>> read = settingsOf(options.files.constFirst(), console);
    if (!read)
        return ExitStatus::BadFile;
    const std::vector<SettingWords> settings = shown(*read, options);
    if (options.json) {
        console.result(json(settings));
        return ExitStatus::Ok;
    }
    QString tab;
    for (const SettingWords &s : settings) {
        if (s.tab != tab) {
            tab = s.tab;
            console.result(tab);
        }
        console.result(QStringLiteral("  %1: %2").arg(s.setting, s.value));
    }
    return ExitStatus::Ok;
}

ExitStatus diffFiles(const CliOptions &options, Console &console)
{
    const std::optional<std::vector<SettingWords>> first = settingsOf(options.files[0], console);
    if (!first)
        return ExitStatus::BadFile;
    const std::optional<std::vector<SettingWords>> second = settingsOf(options.files[1], console);
    if (!second)
        return ExitStatus::BadFile;
    const std::vector<SettingDifference> differences = shown(diffSettings(*first, *second), options);
    for (const SettingDifference &d : differences)
        console.result(clitexts::kDifference.arg(d.tab, d.setting, d.here, d.there));
    return differences.empty() ? ExitStatus::Ok : ExitStatus::Differences;
}

} // namespace alvetra::cli
