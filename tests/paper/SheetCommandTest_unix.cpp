// alvetra-cli sheet as a script runs it, without a display: the papers of a settings file, read
// back with poppler's pdftotext (Windows: tests/windows/installer.sh).

#include "alarm/OwnerPapers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace alvetra;

namespace {

struct Finished {
    int status = -1;
    QString out;
};

Finished run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));   // the command picks its own
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
}

Finished cli(const QStringList &arguments) { return run(QStringLiteral(ALVETRA_CLI), arguments); }
QString textOf(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out.simplified();
}

} // namespace

TEST(SheetCommand, ASettingsFileGivesTheSheetWithoutSecretsAndTheCardWithTheEmergencyPresses)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("auto.alm"));
    ASSERT_EQ(cli({QStringLiteral("read"), QStringLiteral("--simulator"), QStringLiteral("--password"), QStringLiteral("1234"),
                   QStringLiteral("-o"), settings}).status, 0);
    const Finished shown = cli({QStringLiteral("show"), QStringLiteral("--show-secrets"), settings});
    const QRegularExpressionMatch emergency =
        QRegularExpression(QStringLiteral("Kod awaryjnego rozblokowania przyciskiem: ([KD]+)")).match(shown.out);
    ASSERT_TRUE(emergency.hasMatch()) << shown.out.toStdString();

    const QString sheet = dir.filePath(QStringLiteral("karta.pdf"));
    const QString card = dir.filePath(QStringLiteral("kody.pdf"));
    const Finished made = cli({QStringLiteral("sheet"), settings, QStringLiteral("-o"), sheet, QStringLiteral("--code-card"), card,
                          QStringLiteral("--car-make"), QStringLiteral("Skoda"), QStringLiteral("--car-model"), QStringLiteral("Fabia"),
                          QStringLiteral("--vin"), QStringLiteral("tmbjj7ne0h0987650"), QStringLiteral("--registration"),
                          QStringLiteral("EL 9"), QStringLiteral("--workshop"), QStringLiteral("Nowak")});
    ASSERT_EQ(made.status, 0) << made.out.toStdString();
    const QString sheetText = textOf(sheet);
    for (const char *expected : {"Karta montażu", "Skoda Fabia", "TMBJJ7NE0H0987650", "Nowak",
                                 "Blokada przeciwkradzieżowa aktywna, autoryzacja kodem z przycisku",
                                 "Blokada antynapadowa nieaktywna", "Piloty zaprogramowane w centrali 2"})
        EXPECT_TRUE(sheetText.contains(QString::fromUtf8(expected))) << expected << "\n" << sheetText.toStdString();
    EXPECT_FALSE(sheetText.contains(QStringLiteral("1234")));
    EXPECT_FALSE(sheetText.contains(emergency.captured(1)));
    EXPECT_FALSE(sheetText.contains(pressesInWords(emergency.captured(1))));
    EXPECT_TRUE(textOf(card).contains(pressesInWords(emergency.captured(1)))) << textOf(card).toStdString();

    // A VIN of the wrong form: refused before anything is written.
    const QString refused = dir.filePath(QStringLiteral("zla.pdf"));
    const Finished wrong = cli({QStringLiteral("sheet"), settings, QStringLiteral("-o"), refused, QStringLiteral("--vin"),
                           QStringLiteral("TMBJJ7NEOH0123456")});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.out.contains(QStringLiteral("Numer VIN TMBJJ7NEOH0123456 ma złą postać"))) << wrong.out.toStdString();
    EXPECT_FALSE(QFile::exists(refused));
}
