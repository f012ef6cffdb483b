// The papers as PDF files, read back as a reader's tools read them (poppler's pdftotext, pdffonts:
// Linux programs; under Wine tests/windows/installer.sh reads the Windows build's papers with them).

#include "alarm/OwnerPapers.h"
#include "paper/PaperPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace alvetra;

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(PaperPdf, TheSheetAndTheCardAreSearchableTextWithTheirFontsEmbedded)
{
    PaperFacts facts;
    facts.workshop = {QStringLiteral("Żółć Serwis"), QStringLiteral("ul. Łąkowa 1"), QStringLiteral("600 100 200")};
    facts.date = QDate(2026, 12, 9);
    facts.car = {QStringLiteral("Skoda"), QStringLiteral("Fabia"), QStringLiteral("EL 9"), QStringLiteral("TMBJJ7NE0H0123456")};
    facts.values.emergencyCode = QStringLiteral("DK");
    facts.values.antiTheft = true;
    facts.values.antiTheftAuthorisation = 0;
    facts.values.antiTheftDelay = 30;
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("karta.pdf"));
    const QString card = dir.filePath(QStringLiteral("kody.pdf"));
    ASSERT_EQ(writePaperPdf(installationSheet(facts), PaperKind::InstallationSheet, sheet), std::nullopt);
    ASSERT_EQ(writePaperPdf(codeCard(facts), PaperKind::CodeCard, card), std::nullopt);

    const QString sheetText = run(QStringLiteral("pdftotext"), {sheet, QStringLiteral("-")}).simplified();
    EXPECT_TRUE(sheetText.contains(QStringLiteral("Karta montażu"))) << sheetText.toStdString();
    EXPECT_TRUE(sheetText.contains(QStringLiteral("Żółć Serwis")));
    EXPECT_TRUE(sheetText.contains(QStringLiteral("TMBJJ7NE0H0123456")));
    EXPECT_TRUE(sheetText.contains(QStringLiteral("aktywna, autoryzacja kodem z przycisku, uzbraja się sama 30 s po wyłączeniu stacyjki")));
    EXPECT_TRUE(sheetText.contains(QStringLiteral("Podpis właściciela pojazdu")));
    const QString cardText = run(QStringLiteral("pdftotext"), {card, QStringLiteral("-")}).simplified();
    EXPECT_TRUE(cardText.contains(QStringLiteral("długo – krótko (DK)"))) << cardText.toStdString();

    // pdffonts: a heading, a rule, then one line per font: "... emb sub uni object ID"; embedded
    // and with a Unicode map (the text can be searched and copied), whole or a subset.
    const QStringList fonts = run(QStringLiteral("pdffonts"), {sheet}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    const QRegularExpression embeddedWithUnicode(QStringLiteral(" yes +(yes|no) +yes +\\d+ +\\d+$"));
    for (const QString &font : fonts)
        EXPECT_TRUE(embeddedWithUnicode.match(font).hasMatch()) << font.toStdString();

    // A folder that cannot be written to: the reason, no file.
    EXPECT_NE(writePaperPdf(codeCard(facts), PaperKind::CodeCard, dir.filePath(QStringLiteral("brak/kody.pdf"))), std::nullopt);
}
