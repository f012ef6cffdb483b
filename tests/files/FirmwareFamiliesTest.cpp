#include "files/FirmwareFamilies.h"

#include <gtest/gtest.h>

using namespace alvetra;

TEST(FirmwareFamilies, EveryIdentificationStringWithItsRow)
{
    struct Row { QStringList ids; int code; const char *database; };
    const Row rows[] = {
        {{"MZRAv1.4"}, 14, "MZRAv14.txt"},
        {{"MZRAv1.5"}, 15, "MZRAv14.txt"},
        {{"MZRAv1.6"}, 16, "MZRAv14.txt"},
        {{"MZRv1.51", "MZRv1.52", "MZRv1.53", "MZRv1.54", "MZRv1.61", "MZRv1.62", "MZRv1.63", "MZRv1.64"}, 17, "MZRAv14.txt"},
        {{"MZRv1.70", "MZRv1.71", "MZRv1.72", "MZRv1.73", "MZRv1.74", "MZRv1.75"}, 17, "MZRAv17.txt"},
        {{"MZRv1.76", "MZRv1.77", "MZRv1.78", "MZRv1.79", "MZRv1.80", "MZRv1.81", "MZRv1.82", "MZRv1.83", "MZRv1.84",
          "MZRv1.85"}, 17, "MZRAv18.txt"},
        {{"MZRFv1.0", "MZRFv1.1", "MZRFv1.2", "MZRFv1.3", "MZRFv1.4", "MZRFv1.5", "MZRFv1.6", "MZRFv1.7", "MZRFv1.8",
          "MZRFv1.9", "MZRFv2.0", "MZRFv2.1"}, 18, "MZRFv10.txt"},
    };
    int count = 0;
    for (const Row &row : rows) {
        for (const QString &id : row.ids) {
            ++count;
            const std::optional<FirmwareFamily> family = familyForIdentification(id);
            ASSERT_TRUE(family.has_value()) << id.toStdString();
            EXPECT_EQ(family->familyCode, row.code) << id.toStdString();
            EXPECT_EQ(family->carDatabase, QString::fromLatin1(row.database)) << id.toStdString();
            const bool v14 = row.code == 14;
            EXPECT_EQ(family->defaultExtension, v14 ? QStringLiteral(".v14") : QStringLiteral(".alm"));
            EXPECT_EQ(family->dialogFilter, v14 ? 2 : 1);
            EXPECT_EQ(family->canAnalysisVisible, !v14);
            EXPECT_EQ(family->layout(), v14 ? kLayoutA : kLayoutB);
        }
    }
    EXPECT_EQ(knownIdentifications().size(), count);
}

TEST(FirmwareFamilies, UnknownStringsAndTheirMessages)
{
    EXPECT_FALSE(familyForIdentification("mzrav1.4").has_value());
    EXPECT_FALSE(familyForIdentification("MZRAv1.3").has_value());
    EXPECT_FALSE(familyForIdentification("MZRv1.50").has_value());
    EXPECT_FALSE(familyForIdentification("ZRAv1.4").has_value());

    EXPECT_FALSE(isNewerFirmware("MZRAv1.3"));
    EXPECT_FALSE(isNewerFirmware("MZRAv1.5"));
    EXPECT_TRUE(isNewerFirmware("MZRAv1.9"));
    EXPECT_TRUE(isNewerFirmware("MZRv2.00"));
    EXPECT_FALSE(isNewerFirmware("ABC"));

    const UserMessage older = unknownFirmwareMessage("MZRAv1.3");
    EXPECT_EQ(older.caption, QStringLiteral("Iformacja"));
    EXPECT_EQ(older.icon, MessageIcon::Information);
    EXPECT_EQ(older.text, QStringLiteral("Ta centralka ma stare oprogramowanie.\r"
                                         "Ta wersja oprogramowania na komputer jest dla nowszych centralek."));
    EXPECT_EQ(unknownFirmwareMessage("MZRv2.00").text,
              QStringLiteral("Ta centralka ma nowsze oprogramowanie.\r"
                             "Tą wersję oprogramowania na komputer należy uaktualnic."));
}

TEST(FirmwareFamilies, IdentificationIsTheLineEnd)
{
    EXPECT_EQ(identificationOf("CAN-ALARM  12345  MZRAv1.6"), QStringLiteral("MZRAv1.6"));
    EXPECT_EQ(identificationOf("RAv1.6"), QStringLiteral("RAv1.6"));
    EXPECT_FALSE(familyForIdentification(identificationOf("RAv1.6")).has_value());
}

TEST(FirmwareFamilies, SettingsFileExtensionDecidesOnlyByItsExactLastThreeCharacters)
{
    const auto code = [](const QString &name) {
        const std::optional<FirmwareFamily> family = familyForSettingsFileName(name);
        return family ? family->familyCode : 0;
    };
    EXPECT_EQ(code("/home/jan/ustawienia.v14"), 14);
    EXPECT_EQ(code("/home/jan/ustawienia.alm"), 15);
    EXPECT_EQ(code("/home/jan/ustawienia.V14"), 0);
    EXPECT_EQ(code("/home/jan/ustawienia.ALM"), 0);
    EXPECT_EQ(code("/home/jan/ustawienia.txt"), 0);
    EXPECT_EQ(code("palm"), 15);   // only the last three characters count
    EXPECT_EQ(familyForSettingsFileName("a.alm")->carDatabase, QStringLiteral("MZRAv14.txt"));
    EXPECT_EQ(familyForSettingsFileName("a.v14")->carDatabase, QStringLiteral("MZRAv14.txt"));
    EXPECT_EQ(familyForSettingsFileName("a.v14")->layout(), kLayoutA);
    EXPECT_EQ(familyForSettingsFileName("a.alm")->layout(), kLayoutB);

    EXPECT_EQ(dialogDefaultsForFamily(0), (DialogDefaults{QString(), 1}));
    EXPECT_EQ(dialogDefaultsForFamily(14), (DialogDefaults{".v14", 2}));
    EXPECT_EQ(dialogDefaultsForFamily(18), (DialogDefaults{".alm", 1}));
}
