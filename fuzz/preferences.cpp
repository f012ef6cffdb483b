// The preferences reader fed arbitrary "Serkano.ini" contents.
//
// The first byte chooses what is done besides reading (writing is several times slower than
// reading, so one input in eight also writes); the rest is the file.
//
// Invariants:
//  - nothing crashes, whatever the file holds (sections, quotes, serialised-value forms, binary);
//  - a second read of an unchanged file gives the same result;
//  - what was read can be written over the same file and read back unchanged (the file the
//    program leaves behind at shutdown gives the same preferences at the next start-up).

#include "FuzzSupport.h"
#include "app/Preferences.h"

#include <QFile>

using namespace alvetra;
using namespace alvetra::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const bool alsoWrite = (in.byte() & 0x07) == 0;
    const QByteArray bytes = in.rest();
    const QString path = scratchPath(QStringLiteral("Serkano.ini"));
    writeScratch(path, bytes);

    const PreferencesFile file(path, QStringLiteral("/opt/alvetra"));
    const WindowPreferences first = file.read();
    FUZZ_CHECK(file.read() == first, "reading twice gives the same");

    if (alsoWrite) {
        // Written over the same file, as at shutdown: whatever else it holds stays beside our keys.
        FUZZ_CHECK(file.write(first), "the preferences can be written");
        const WindowPreferences again = PreferencesFile(path, QStringLiteral("/opt/alvetra")).read();
        FUZZ_CHECK(again == first, "written preferences read back unchanged");
    }
    QFile::remove(path);
    return 0;
}
