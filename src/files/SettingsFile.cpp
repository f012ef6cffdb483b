#include "SettingsFile.h"

#include "FileError.h"
#include "FilesTexts.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace alvetra {

namespace {

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void failWrite(const QString &path, const QString &reason)
{
    throw FileError(texts::kSettingsFileCannotWrite.arg(shown(path), reason));
}

} // namespace

void saveSettingsFile(const QString &path, const SettingsImage &image)
{
    QByteArray bytes(kImageSize, '\0');
    const ImageBytes plain = image.bytes();
    for (int i = 0; i < kImageSize; ++i)
        bytes[i] = static_cast<char>(plain[i] ^ kSettingsFileMask);

    // Unbuffered, so that a failing write reports here: a buffered QSaveFile (Qt 6.4) lets
    // commit() put a truncated file in place of the old one when the final flush fails.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failWrite(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        failWrite(path, reason);
    }
    if (!file.commit())
        failWrite(path, file.errorString());
}

int loadSettingsFile(const QString &path, SettingsImage &image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(texts::kSettingsFileCannotOpen.arg(shown(path), file.errorString()));
    if (file.size() > kSettingsFileMaxSize)
        throw FileError(texts::kSettingsFileTooLarge.arg(shown(path)).arg(file.size()));
    return readSettings(file, image, path);
}

int readSettings(QIODevice &device, SettingsImage &image, const QString &name)
{
    int stored = 0;
    char buffer[kImageSize];
    while (stored < kImageSize) {
        const qint64 got = device.read(buffer, kImageSize - stored);
        if (got < 0)
            throw FileError(texts::kSettingsFileCannotRead.arg(shown(name), device.errorString()));
        if (got == 0)
            break;   // end of the file
        for (qint64 i = 0; i < got; ++i, ++stored)
            image.set(stored, static_cast<std::uint8_t>(buffer[i]) ^ kSettingsFileMask);
    }
    return stored;
}

} // namespace alvetra
