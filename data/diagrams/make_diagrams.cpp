// Writes the central-lock pulse diagrams ("Otworz0.bmp" ... "Zamknij5.bmp") into the folder given
// as the only argument. Run by the build; the program reads the files from "Ikony/" beside it.

#include "ui/tabs/LockDiagramArt.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    QString error;
    if (!alvetra::lockdiagram::writeAll(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
