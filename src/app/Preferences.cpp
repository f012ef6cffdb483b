#include "Preferences.h"

#include "AppTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace alvetra {

namespace {

const QString kPortIndexKey = QStringLiteral("COMMSETTINGS/CMBPORTINDEX");
const QString kSpeedIndexKey = QStringLiteral("COMMSETTINGS/CMBPORTSPEEDINDEX");
const QString kSavePathKey = QStringLiteral("SAVEDIALOG/PATH");
const QString kOpenPathKey = QStringLiteral("OPENDIALOG1/PATH");
const QString kTopKey = QStringLiteral("FORM1/TOP");
const QString kLeftKey = QStringLiteral("FORM1/LEFT");
const QString kComInformationKey = QStringLiteral("COMINFORMATION/VALUE");

// The ini reader splits a value at unquoted commas; a hand-edited folder name may hold one.
QString valueText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

int readInteger(const QSettings &settings, const QString &key, int fallback)
{
    if (!settings.contains(key))
        return fallback;
    bool ok = false;
    const int value = valueText(settings.value(key)).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

QString readString(const QSettings &settings, const QString &key, const QString &fallback)
{
    return settings.contains(key) ? valueText(settings.value(key)) : fallback;
}

} // namespace

PreferencesFile::PreferencesFile(const QString &path, const QString &programFolder)
    : path_(path), programFolder_(programFolder)
{
}

WindowPreferences PreferencesFile::read() const
{
    const QSettings settings(path_, QSettings::IniFormat);
    const WindowPreferences defaults;
    const QString folder = programFolder_.isEmpty() ? QString() : QDir::toNativeSeparators(programFolder_ + QLatin1Char('/'));
    WindowPreferences p;
    p.portIndex = readInteger(settings, kPortIndexKey, defaults.portIndex);
    p.speedIndex = readInteger(settings, kSpeedIndexKey, defaults.speedIndex);
    p.saveDialogFolder = readString(settings, kSavePathKey, folder);
    p.openDialogFolder = readString(settings, kOpenPathKey, folder);
    p.top = readInteger(settings, kTopKey, defaults.top);
    p.left = readInteger(settings, kLeftKey, defaults.left);
    p.showComInformation = readInteger(settings, kComInformationKey, defaults.showComInformation ? 1 : 0) != 0;
    return p;
}

bool PreferencesFile::write(const WindowPreferences &p) const
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings settings(path_, QSettings::IniFormat);
    settings.setValue(kPortIndexKey, QString::number(p.portIndex));
    settings.setValue(kSpeedIndexKey, QString::number(p.speedIndex));
    settings.setValue(kSavePathKey, p.saveDialogFolder);
    settings.setValue(kOpenPathKey, p.openDialogFolder);
    settings.setValue(kTopKey, QString::number(p.top));
    settings.setValue(kLeftKey, QString::number(p.left));
    settings.setValue(kComInformationKey, p.showComInformation ? QStringLiteral("1") : QStringLiteral("0"));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString PreferencesFile::locate(const QString &programFolder)
{
    const QString besideProgram = QDir(programFolder).filePath(apptexts::kPreferencesFileName);
    if (QFileInfo::exists(besideProgram) || QFileInfo(programFolder).isWritable())
        return besideProgram;
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configFolder).filePath(QStringLiteral("alvetra/") + apptexts::kPreferencesFileName);
}

} // namespace alvetra
