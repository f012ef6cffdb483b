// Typesets the user manual (ManualTypesetter) into a PDF file.
//
//   alvetra-manual SOURCE.md OUTPUT.pdf
// Relative picture paths are taken from the source's folder. A picture that cannot be read fails
// the run and no PDF is written: a manual with holes is not shipped.

#include "paper/ManualTypesetter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char **argv)
{
    using namespace alvetra::manual;
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE.md OUTPUT.pdf\n", argv[0]);
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const ManualLayout layout = ManualLayout::a4();
    const QUrl base = QUrl::fromLocalFile(QFileInfo(sourcePath).absoluteDir().absolutePath() + QLatin1Char('/'));
    QStringList missing;
    const auto pages = typesetManual(QString::fromUtf8(source.readAll()), base, layout.body, &missing);
    if (!missing.isEmpty()) {
        for (const QString &picture : missing)
            std::fprintf(stderr, "picture not found: %s\n", qPrintable(picture));
        return 1;
    }
    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(kManualTitle);
    pdf.setCreator(QStringLiteral("Alvetra"));
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(layout.page);
    paintManual(*pages, pdf);
    return 0;
}
