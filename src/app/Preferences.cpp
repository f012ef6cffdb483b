#include "app/Preferences.h"
#include "files/ProgramFolders.h"

#include "app/AppTexts.h"
#include "app/PrivateProfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace alvetra {

namespace {

struct Key {
    QString section;
    QString name;
};

const Key kPortIndexKey{QStringLiteral("COMMSETTINGS"), QStringLiteral("CMBPORTINDEX")};
const Key kSpeedIndexKey{QStringLiteral("COMMSETTINGS"), QStringLiteral("CMBPORTSPEEDINDEX")};
const Key kSavePathKey{QStringLiteral("SAVEDIALOG"), QStringLiteral("PATH")};
const Key kOpenPathKey{QStringLiteral("OPENDIALOG1"), QStringLiteral("PATH")};
const Key kTopKey{QStringLiteral("FORM1"), QStringLiteral("TOP")};
const Key kLeftKey{QStringLiteral("FORM1"), QStringLiteral("LEFT")};
const Key kComInformationKey{QStringLiteral("COMINFORMATION"), QStringLiteral("VALUE")};
// The workshop on the owner's papers: a section of its own, which older readers pass over.
const Key kWorkshopNameKey{QStringLiteral("WARSZTAT"), QStringLiteral("NAZWA")};
const Key kWorkshopAddressKey{QStringLiteral("WARSZTAT"), QStringLiteral("ADRES")};
const Key kWorkshopPhoneKey{QStringLiteral("WARSZTAT"), QStringLiteral("TELEFON")};

int readInteger(const PrivateProfile &profile, const Key &key, int fallback)
{
    const std::optional<QString> text = profile.value(key.section, key.name);
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok);
    return ok ? value : fallback;
}

QString readString(const PrivateProfile &profile, const Key &key, const QString &fallback)
{
    return profile.value(key.section, key.name).value_or(fallback);
}

void store(PrivateProfile &profile, const Key &key, const QString &value)
{
    profile.setValue(key.section, key.name, value);
}

} // namespace

PreferencesFile::PreferencesFile(const QString &path, const QString &programFolder)
    : path_(path), programFolder_(programFolder)
{
}

WindowPreferences PreferencesFile::read() const
{
    const PrivateProfile profile = PrivateProfile::load(path_);
    const WindowPreferences defaults;
    const QString folder = programFolder_.isEmpty() ? QString() : QDir::toNativeSeparators(programFolder_ + QLatin1Char('/'));
    WindowPreferences p;
    p.portIndex = readInteger(profile, kPortIndexKey, defaults.portIndex);
    p.speedIndex = readInteger(profile, kSpeedIndexKey, defaults.speedIndex);
    p.saveDialogFolder = readString(profile, kSavePathKey, folder);
    p.openDialogFolder = readString(profile, kOpenPathKey, folder);
    p.top = readInteger(profile, kTopKey, defaults.top);
    p.left = readInteger(profile, kLeftKey, defaults.left);
    p.showComInformation = readInteger(profile, kComInformationKey, defaults.showComInformation ? 1 : 0) != 0;
    p.workshop = {readString(profile, kWorkshopNameKey, {}), readString(profile, kWorkshopAddressKey, {}),
                  readString(profile, kWorkshopPhoneKey, {})};
    return p;
}

bool PreferencesFile::write(const WindowPreferences &p) const
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    PrivateProfile profile = PrivateProfile::load(path_);
    store(profile, kPortIndexKey, QString::number(p.portIndex));
    store(profile, kSpeedIndexKey, QString::number(p.speedIndex));
    store(profile, kSavePathKey, p.saveDialogFolder);
    store(profile, kOpenPathKey, p.openDialogFolder);
    store(profile, kTopKey, QString::number(p.top));
    store(profile, kLeftKey, QString::number(p.left));
    store(profile, kComInformationKey, p.showComInformation ? QStringLiteral("1") : QStringLiteral("0"));
    // The file stays as it was for a fitter who never made the papers.
    if (p.workshop != Workshop{} || profile.value(kWorkshopNameKey.section, kWorkshopNameKey.name)) {
        store(profile, kWorkshopNameKey, p.workshop.name);
        store(profile, kWorkshopAddressKey, p.workshop.address);
        store(profile, kWorkshopPhoneKey, p.workshop.phone);
    }
    return profile.save(path_);
}

QString PreferencesFile::locate(const QString &programFolder)
{
    const QString besideProgram = QDir(programFolder).filePath(apptexts::kPreferencesFileName);
    if (QFileInfo::exists(besideProgram) || ProgramFolders::takesFiles(programFolder))
        return besideProgram;
    return QDir(ProgramFolders::userPreferencesFolder()).filePath(apptexts::kPreferencesFileName);
}

} // namespace alvetra
