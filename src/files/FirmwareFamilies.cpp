#include "files/FirmwareFamilies.h"

#include "alarm/Cp1250.h"
#include "files/FilesTexts.h"

#include <array>

namespace alvetra {

namespace {

constexpr int kIdentificationLength = 8;

struct FamilyRow {
    QStringList identifications;
    FirmwareFamily family;
};

FirmwareFamily almFamily(int code, const char *database)
{
    return {code, QString::fromLatin1(database), QStringLiteral(".alm"), 1, true};
}

const std::array<FamilyRow, 7> &familyTable()
{
    static const std::array<FamilyRow, 7> table{{
        {{QStringLiteral("MZRAv1.4")}, {14, QStringLiteral("MZRAv14.txt"), QStringLiteral(".v14"), 2, false}},
        {{QStringLiteral("MZRAv1.5")}, almFamily(15, "MZRAv14.txt")},
        {{QStringLiteral("MZRAv1.6")}, almFamily(16, "MZRAv14.txt")},
        {{QStringLiteral("MZRv1.51"), QStringLiteral("MZRv1.52"), QStringLiteral("MZRv1.53"), QStringLiteral("MZRv1.54"),
          QStringLiteral("MZRv1.61"), QStringLiteral("MZRv1.62"), QStringLiteral("MZRv1.63"), QStringLiteral("MZRv1.64")},
         almFamily(17, "MZRAv14.txt")},
        {{QStringLiteral("MZRv1.70"), QStringLiteral("MZRv1.71"), QStringLiteral("MZRv1.72"), QStringLiteral("MZRv1.73"),
          QStringLiteral("MZRv1.74"), QStringLiteral("MZRv1.75")},
         almFamily(17, "MZRAv17.txt")},
        {{QStringLiteral("MZRv1.76"), QStringLiteral("MZRv1.77"), QStringLiteral("MZRv1.78"), QStringLiteral("MZRv1.79"),
          QStringLiteral("MZRv1.80"), QStringLiteral("MZRv1.81"), QStringLiteral("MZRv1.82"), QStringLiteral("MZRv1.83"),
          QStringLiteral("MZRv1.84"), QStringLiteral("MZRv1.85")},
         almFamily(17, "MZRAv18.txt")},
        {{QStringLiteral("MZRFv1.0"), QStringLiteral("MZRFv1.1"), QStringLiteral("MZRFv1.2"), QStringLiteral("MZRFv1.3"),
          QStringLiteral("MZRFv1.4"), QStringLiteral("MZRFv1.5"), QStringLiteral("MZRFv1.6"), QStringLiteral("MZRFv1.7"),
          QStringLiteral("MZRFv1.8"), QStringLiteral("MZRFv1.9"), QStringLiteral("MZRFv2.0"), QStringLiteral("MZRFv2.1")},
         almFamily(18, "MZRFv10.txt")},
    }};
    return table;
}

} // namespace

QString identificationOf(const QString &identificationLine) { return identificationLine.right(kIdentificationLength); }

std::optional<FirmwareFamily> familyForIdentification(const QString &identification)
{
    for (const FamilyRow &row : familyTable()) {
        if (row.identifications.contains(identification, Qt::CaseSensitive))
            return row.family;
    }
    return std::nullopt;
}

QStringList knownIdentifications()
{
    QStringList all;
    for (const FamilyRow &row : familyTable()) all += row.identifications;
    return all;
}

bool isNewerFirmware(const QString &identification)
{
    // Byte order of the unit's characters; QByteArray compares bytes unsigned.
    return cp1250::encode(identification) > QByteArrayLiteral("MZRAv1.5");
}

UserMessage unknownFirmwareMessage(const QString &identification)
{
    return {kCaptionInformationAlt, isNewerFirmware(identification) ? texts::kNewerFirmware : texts::kOlderFirmware,
            MessageIcon::Information};
}

std::optional<FirmwareFamily> familyForSettingsFileName(const QString &fileName)
{
    const QString ending = fileName.right(3);
    if (ending == QLatin1String("v14"))
        return familyTable()[0].family;
    if (ending == QLatin1String("alm"))
        return familyTable()[1].family;
    return std::nullopt;
}

DialogDefaults dialogDefaultsForFamily(int familyCode)
{
    if (familyCode == 0) return {QString(), 1};
    if (familyCode == 14) return {QStringLiteral(".v14"), 2};
    return {QStringLiteral(".alm"), 1};
}

} // namespace alvetra
