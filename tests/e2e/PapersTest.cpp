// The owner's papers from the window: only of the settings the unit holds, as PDF files that the
// system's viewer opens, with the workshop kept for the next time. What the PDF files read like
// is checked in tests/paper; here the preview shows the same typeset sheet.

#include "WindowHarness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTextEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace alvetra;
using namespace alvetra::test;

namespace {

bool isPdf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

} // namespace

TEST_F(WindowTest, TheSheetIsRefusedWhileATabHoldsSettingsTheUnitDoesNot)
{
    start();
    connect();
    find<QSpinBox>("SPE_CzasPoStacyjce")->setValue(44);
    trigger("ActionKartaMontazu");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Karta montażu opisuje ustawienia, które centrala ma w pamięci.")));
    EXPECT_EQ(std::count(dialogs.events.begin(), dialogs.events.end(), QStringLiteral("dialog:InstallationSheetDialog")), 0);
}

TEST_F(WindowTest, TheSheetAndTheCodeCardOfTheUnitsSettingsAreSavedOpenedAndTheWorkshopKept)
{
    shell.stored.workshop = {QStringLiteral("Auto-Alarm Nowak"), QStringLiteral("ul. Polna 3"), QStringLiteral("42 600 00 00")};
    start();
    connect();
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("karta.pdf"));
    dialogs.fileAnswer = sheet;
    QString preview;
    dialogs.onDialog = [&](QDialog &dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit *>(QStringLiteral("ED_WarsztatNazwa"))->text(), QStringLiteral("Auto-Alarm Nowak"));
        dialog.findChild<QLineEdit *>(QStringLiteral("ED_WarsztatTelefon"))->setText(QStringLiteral("42 600 00 01"));
        dialog.findChild<QLineEdit *>(QStringLiteral("ED_NrRejestracyjny"))->setText(QStringLiteral("EL 9"));
        dialog.findChild<QCheckBox *>(QStringLiteral("CKB_KartaKodowa"))->setChecked(true);
        preview = dialog.findChild<QTextEdit *>(QStringLiteral("TE_Podglad"))->toPlainText().simplified();
        auto *vin = dialog.findChild<QLineEdit *>(QStringLiteral("ED_Vin"));
        auto *save = dialog.findChild<QPushButton *>(QStringLiteral("BTN_ZapiszPdf"));
        vin->setText(QStringLiteral("TMBJJ7NEOH0987650"));   // an O where a 0 belongs
        save->click();
        EXPECT_FALSE(QFile::exists(sheet));
        vin->setText(QStringLiteral("tmbjj7ne0h0987650"));
        save->click();
        return dialog.result();
    };
    trigger("ActionKartaMontazu");

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Numer VIN TMBJJ7NEOH0987650 ma złą postać: 17 liter i cyfr, bez liter I, O i Q."));
    const QString card = dir.filePath(QStringLiteral("karta - karta kodowa.pdf"));
    EXPECT_EQ(openedUrls, (std::vector<QUrl>{QUrl::fromLocalFile(sheet), QUrl::fromLocalFile(card)}));
    EXPECT_TRUE(isPdf(sheet));
    EXPECT_TRUE(isPdf(card));
    for (const QString &expected : {panel(2).simplified(), QStringLiteral("Auto-Alarm Nowak"), QStringLiteral("42 600 00 01"),
                                    QStringLiteral("EL 9")})
        EXPECT_TRUE(preview.contains(expected)) << expected.toStdString() << "\n" << preview.toStdString();
    EXPECT_FALSE(preview.contains(QStringLiteral("1234")));
    // Kept for the next sheet: the preferences stored at closing hold the workshop as corrected.
    window->close();
    ASSERT_FALSE(shell.written.empty());
    EXPECT_EQ(shell.written.back().workshop.phone, QStringLiteral("42 600 00 01"));
}
