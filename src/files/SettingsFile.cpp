#include "files/SettingsFile.h"

#include "alarm/FileError.h"
#include "files/FilesTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace alvetra {

namespace {

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void failWrite(const QString &path, const QString &reason)
{
    throw FileError(texts::kSettingsFileCannotWrite.arg(shown(path), reason));
}

// The reason in the user's words where it is plain what went wrong, else the system's own.
QString openFailureReason(const QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return texts::kReasonNoSuchFile;
    if (info.isDir())
        return texts::kReasonIsAFolder;
    return file.errorString();
}

QString writeFailureReason(const QFileDevice &file, const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return texts::kReasonIsAFolder;
    if (!QFileInfo(info.absolutePath()).isDir())
        return texts::kReasonNoSuchFolder;
    if (file.error() == QFileDevice::ResourceError)
        return texts::kReasonDiskFull;
    return file.errorString();
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
        failWrite(path, writeFailureReason(file, path));
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = writeFailureReason(file, path);
        file.cancelWriting();
        failWrite(path, reason);
    }
    if (!file.commit())
        failWrite(path, writeFailureReason(file, path));
}

int loadSettingsFile(const QString &path, SettingsImage &image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(texts::kSettingsFileCannotOpen.arg(shown(path), openFailureReason(file)));
    if (file.size() > kSettingsFileMaxSize)
        throw FileError(texts::kSettingsFileTooLarge.arg(shown(path)).arg(file.size()));
    return readSettings(file, image, path);
}

int readSettings(QIODevice &device, SettingsImage &image, const QString &name)
{
    // The whole content first: a read that fails halfway must not leave the image half old and
    // half new.
    char buffer[kImageSize];
    int stored = 0;
    while (stored < kImageSize) {
        const qint64 got = device.read(buffer + stored, kImageSize - stored);
        if (got < 0)
            throw FileError(texts::kSettingsFileCannotRead.arg(shown(name), device.errorString()));
        if (got == 0)
            break;   // end of the file
        stored += static_cast<int>(got);
    }
    for (int i = 0; i < stored; ++i)
        image.set(i, static_cast<std::uint8_t>(buffer[i]) ^ kSettingsFileMask);
    return stored;
}

} // namespace alvetra
