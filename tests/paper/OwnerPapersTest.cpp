// The owner's papers: what the installation sheet says is in force, and what the code card holds.

#include "alarm/OwnerPapers.h"
#include "alarm/PaperTexts.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace alvetra;

namespace {

PaperFacts fittedCar()
{
    PaperFacts f;
    f.workshop = {QStringLiteral("Auto-Alarm Nowak"), QStringLiteral("ul. Polna 3, Łódź"), QStringLiteral("42 600 00 00")};
    f.date = QDate(2026, 12, 9);
    f.car = {QStringLiteral("Skoda"), QStringLiteral("Octavia III"), QStringLiteral("EL 12345"), QStringLiteral("TMBJJ7NE0H0123456")};
    f.unit = QStringLiteral("MZRv1.61");
    f.familyCode = 17;
    TabValues &v = f.values;
    v.programmingCode = QStringLiteral("DDKK");
    v.antiHijackCode = QStringLiteral("KKDD");
    v.antiTheftCode = QStringLiteral("KDKD");
    v.emergencyCode = QStringLiteral("KDDK");
    v.antiTheft = true;
    v.antiTheftAuthorisation = 0;   // by button code
    v.antiTheftDelay = 30;
    v.centralLock = true;
    v.lockAfterIgnition = true;
    v.lockDelayAfterIgnition = 10;
    v.rearming = true;
    v.armingDelay = 1;
    v.storedCanGroup = QStringLiteral("12      ");
    v.canIgnoreIgnition = true;
    f.remotes = 2;
    f.tokens = 1;
    return f;
}

std::vector<PaperLine> linesOf(const Paper &paper, const QString &section)
{
    for (const PaperSection &s : paper.sections) {
        if (s.title == section)
            return s.lines;
    }
    return {};
}

QString allText(const Paper &paper)
{
    QStringList texts{paper.title, paper.subtitle};
    for (const PaperSection &s : paper.sections) {
        texts << s.title;
        for (const PaperLine &line : s.lines)
            texts << line.label << line.value;
        texts << s.texts;
    }
    return texts.join(u'\n');
}

} // namespace

TEST(InstallationSheet, ListsExactlyTheProtectionsInForceAndNoSecret)
{
    PaperFacts facts = fittedCar();
    const std::vector<PaperLine> expected = {
        {QStringLiteral("Blokada przeciwkradzieżowa"),
         QStringLiteral("aktywna, autoryzacja kodem z przycisku, uzbraja się sama 30 s po wyłączeniu stacyjki")},
        {QStringLiteral("Sygnalizacja włączenia stacyjki przy uzbrojonej blokadzie"), QStringLiteral("nie")},
        {QStringLiteral("Blokada antynapadowa"), QStringLiteral("nieaktywna")},
        {QStringLiteral("Sterowanie zamkiem centralnym"), QStringLiteral("włączone")},
        {QStringLiteral("Zamykanie zamków po włączeniu stacyjki"), QStringLiteral("po 10 s")},
        {QStringLiteral("Czas braku reakcji na czujniki po uzbrojeniu"), QStringLiteral("30 sekund")},
        {QStringLiteral("Ponowne uzbrojenie po rozbrojeniu bez otwarcia drzwi"), QStringLiteral("tak")},
        {QStringLiteral("Współpraca z magistralą CAN samochodu"), QStringLiteral("tak, grupa 12")},
        {QStringLiteral("alarm nie reaguje na stacyjkę na magistrali CAN"), QStringLiteral("tak")},
    };
    const Paper sheet = installationSheet(facts);
    EXPECT_EQ(linesOf(sheet, papertexts::kProtections), expected);
    EXPECT_EQ(linesOf(sheet, papertexts::kLearnt),
              (std::vector<PaperLine>{{papertexts::kRemotes, QStringLiteral("2")}, {papertexts::kTokens, QStringLiteral("1")}}));
    EXPECT_EQ(sheet.signatures.size(), 2u);

    // A flag changed changes its line, and the block's details come with it.
    facts.values.antiHijack = true;
    facts.values.antiHijackAuthorisation = 1;
    facts.values.antiHijackDelay = 60;
    facts.values.doorInputs = 1;
    const std::vector<PaperLine> hijack = linesOf(installationSheet(facts), papertexts::kProtections);
    EXPECT_EQ(hijack.at(2).value, QStringLiteral("aktywna, autoryzacja tokenem, sygnalizacja 60 s po otwarciu drzwi"));
    EXPECT_EQ(hijack.at(3).value, QStringLiteral("tylko wejście alarmu drzwi kierowcy"));

    // Group 0: the unit does not follow the car's bus.
    facts.values.storedCanGroup = QStringLiteral("0");
    const std::vector<PaperLine> noCan = linesOf(installationSheet(facts), papertexts::kProtections);
    EXPECT_TRUE(std::count(noCan.begin(), noCan.end(), PaperLine{papertexts::kCan, papertexts::kNo}) == 1);

    // Neither the PC password nor a code, in letters or as presses.
    facts.values.newPcPassword = QStringLiteral("4711");
    const QString text = allText(installationSheet(facts));
    for (const QString &secret : {facts.values.programmingCode, facts.values.antiHijackCode, facts.values.antiTheftCode,
                                  facts.values.emergencyCode, pressesInWords(facts.values.emergencyCode), QStringLiteral("4711")})
        EXPECT_FALSE(text.contains(secret)) << secret.toStdString();
}

TEST(CodeCard, HoldsTheEmergencyCodeAsPressesAndOnlyTheAuthorisationCodesInUse)
{
    PaperFacts facts = fittedCar();
    const std::vector<PaperLine> codes = linesOf(codeCard(facts), papertexts::kCodes);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0], (PaperLine{QStringLiteral("Kod awaryjnego rozblokowania"), QStringLiteral("krótko – długo – długo – krótko (KDDK)")}));
    EXPECT_EQ(codes[1].label, QStringLiteral("Kod autoryzacji blokady przeciwkradzieżowej"));
    // Authorised by token only: its code is of no use to the owner and stays off the card.
    facts.values.antiTheftAuthorisation = 1;
    EXPECT_EQ(linesOf(codeCard(facts), papertexts::kCodes).size(), 1u);
    EXPECT_TRUE(allText(codeCard(facts)).contains(papertexts::kKeepApart));
}

TEST(Vin, SeventeenCapitalLettersAndDigitsWithoutIOAndQ)
{
    EXPECT_TRUE(isWellFormedVin(QStringLiteral("TMBJJ7NE0H0123456")));
    for (const char *vin : {"TMBJJ7NE0H012345", "TMBJJ7NE0H01234567", "TMBJJ7NEOH0123456", "TMBJJ7NEIH0123456",
                            "TMBJJ7NEQH0123456", "tmbjj7ne0h0123456", "TMBJJ7NE0H012345 ", ""})
        EXPECT_FALSE(isWellFormedVin(QString::fromLatin1(vin))) << vin;
}
