// The settings-file loader fed arbitrary file contents, also longer than the format allows.
//
// Invariants:
//  - nothing crashes;
//  - a file over 65535 bytes is refused with its message and changes nothing;
//  - otherwise byte i of the file, unmasked, becomes image byte i for the first min(size, 256)
//    bytes, and every other image byte keeps its value;
//  - saving the image and loading it again gives back all 256 bytes, in a file of 256 bytes.

#include "alarm/FileError.h"
#include "FuzzSupport.h"
#include "files/SettingsFile.h"

#include <QBuffer>
#include <QFileInfo>

using namespace alvetra;
using namespace alvetra::fuzz;

namespace {

SettingsImage patternImage()
{
    SettingsImage image;
    for (int i = 0; i < kImageSize; ++i) image.set(i, static_cast<std::uint8_t>(i * 13 + 7));
    return image;
}

void checkLoaded(const QByteArray &bytes, const SettingsImage &before, const SettingsImage &after, int changed)
{
    const int expected = static_cast<int>(std::min<qsizetype>(bytes.size(), kImageSize));
    FUZZ_CHECK(changed == expected, "the count of image bytes read");
    for (int i = 0; i < kImageSize; ++i) {
        const std::uint8_t want = i < expected ? static_cast<std::uint8_t>(bytes[i]) ^ kSettingsFileMask : before.at(i);
        FUZZ_CHECK(after.at(i) == want, "file byte i unmasked is image byte i; the rest is kept");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = scratchPath(QStringLiteral("ustawienia.alm"));
    writeScratch(path, bytes);

    const SettingsImage before = patternImage();
    SettingsImage image = before;
    try {
        const int changed = loadSettingsFile(path, image);
        FUZZ_CHECK(bytes.size() <= kSettingsFileMaxSize, "files over 65535 bytes are refused");
        checkLoaded(bytes, before, image, changed);
    } catch (const FileError &error) {
        FUZZ_CHECK(bytes.size() > kSettingsFileMaxSize, "only an oversized file is refused");
        FUZZ_CHECK(error.message().startsWith(QStringLiteral("Plik ")), "the oversized file's message");
        FUZZ_CHECK(image == before, "a refused file changes nothing");
        return 0;
    }

    // The same bytes from a device in memory.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    SettingsImage fromDevice = before;
    checkLoaded(bytes, before, fromDevice, readSettings(buffer, fromDevice, QStringLiteral("pamięć")));

    const QString copy = scratchPath(QStringLiteral("kopia.alm"));
    saveSettingsFile(copy, image);
    FUZZ_CHECK(QFileInfo(copy).size() == kImageSize, "a saved file has 256 bytes");
    SettingsImage reloaded;
    FUZZ_CHECK(loadSettingsFile(copy, reloaded) == kImageSize, "a saved file loads whole");
    FUZZ_CHECK(reloaded == image, "saving and loading gives back every byte");
    return 0;
}
