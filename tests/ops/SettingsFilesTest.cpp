// Saving and opening settings files, and offline editing.

#include "alarm/FileError.h"
#include "OpsHarness.h"
#include "ops/OpsTexts.h"
#include "files/SettingsFile.h"

#include <QFileInfo>

using namespace alvetra;
using namespace alvetra::test;

namespace {

class FilesTest : public OpsTest {
protected:
    QString path(const QString &name) const { return files.filePath(name); }

    // A settings file holding `image`, as another copy of the program would have saved it.
    QString fileWith(const QString &name, const ImageBytes &image)
    {
        saveSettingsFile(path(name), SettingsImage(image));
        return path(name);
    }

    ImageBytes filled(std::uint8_t value) const
    {
        ImageBytes bytes;
        bytes.fill(value);
        return bytes;
    }

    QTemporaryDir files;
};

} // namespace

TEST_F(FilesTest, SavingAndOpeningAgainGivesBackAll256Bytes)
{
    connectAndClearLogs();
    ops->saveFile(path("unit.alm"));
    EXPECT_EQ(QFileInfo(path("unit.alm")).size(), 256);
    // The PC password edits are empty after connecting: the stored password stays as read.
    EXPECT_EQ(view.messageTexts(), std::vector<QString>{"Hasło za krótkie, wymagane 4 znaki."});
    // Remotes, tokens, history and counter included: the round trip through the tabs kept all.
    EXPECT_EQ(state.image.bytes(), unit->memory());

    state.image.fill(0x77);
    view.calls.clear();
    ops->openFile(path("unit.alm"));
    EXPECT_EQ(state.image.bytes(), unit->memory());
    EXPECT_EQ(state.timeCounter, kCounter);
    EXPECT_EQ(view.fills, 2);
    // Connected: opening ends there, nothing about access changes.
    EXPECT_EQ(view.calls, (std::vector<QString>{"pauseSupervision", "restoreSupervision 1"}));
}

TEST_F(FilesTest, AShortFileChangesOnlyItsOwnBytes)
{
    connectAndClearLogs();
    const ImageBytes before = state.image.bytes();
    QFile file(path("short.alm"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, char(0x11 ^ kSettingsFileMask)));
    file.close();
    ops->openFile(path("short.alm"));
    for (int i = 0; i < kImageSize; ++i)
        ASSERT_EQ(state.image.at(i), i < 100 ? 0x11 : before[i]) << "byte " << i;
}

TEST_F(FilesTest, TheFirstFileFixesTheFamilyByItsExtension)
{
    struct Case {
        QString name;
        int family;
        Layout layout;
        DialogDefaults dialogs;
        bool canAnalysis;
    };
    for (const Case &c : {Case{"a.v14", 14, kLayoutA, {".v14", 2}, false}, Case{"b.alm", 15, kLayoutB, {".alm", 1}, true}}) {
        SCOPED_TRACE(c.name.toStdString());
        state = OperationState{};
        view.makes.clear();
        ops->openFile(fileWith(c.name, filled(0)));
        EXPECT_EQ(state.familyCode, c.family);
        EXPECT_EQ(state.layout, c.layout);
        EXPECT_EQ(view.dialogs, c.dialogs);
        EXPECT_EQ(view.canAnalysis, c.canAnalysis);
        EXPECT_EQ(view.makes, (QStringList{"Audi", "Škoda"}));
    }
}

TEST_F(FilesTest, AnUnknownExtensionFailsAsAMissingCarDatabaseAndReadsNothing)
{
    const QString file = fileWith("unit.V14", filled(0x42));
    try {
        ops->openFile(file);
        ADD_FAILURE() << "the file must not be read";
    } catch (const FileError &e) {
        EXPECT_EQ(e.message(), "Brak pliku z bazą danych o samochodach!");
    }
    EXPECT_EQ(state.familyCode, 0);
    EXPECT_EQ(state.image.bytes(), filled(0));
    EXPECT_TRUE(view.supervisionRunning);
}

TEST_F(FilesTest, AFileOfTheOtherLayoutIsCarriedIntoTheUnitsLayout)
{
    struct Case {
        const char *identification;
        QString file;
        int passwordIn, groupIn, passwordOut, groupOut;
        QString status;
    };
    const Case cases[] = {
        {"MZRAv1.4", "other.alm", 62, 79, 64, 81, "Plik nowszej centralki przepisano na układ v1.4: "},
        {"MZRv1.61", "old.v14", 64, 81, 62, 79, "Plik v1.4 przepisano na układ nowszych centralek: "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.identification);
        startUnit(unitConfig(c.identification));
        connectAndClearLogs();
        const Layout layout = state.layout;
        const ImageBytes before = state.image.bytes();
        ImageBytes image = filled(0);
        for (int i = 0; i < 4; ++i)
            image[c.passwordIn + i] = "4321"[i];
        image[c.groupIn] = 42;
        image[82] = image[164] = 0x77;   // a counter in either layout
        ops->openFile(fileWith(c.file, image));

        EXPECT_EQ(state.layout, layout);
        const ImageBytes after = state.image.bytes();
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(&after[c.passwordOut]), 4), "4321");
        EXPECT_EQ(after[c.groupOut], 42);
        // The counter and the history are still the unit's.
        EXPECT_EQ(state.timeCounter, kCounter);
        for (int i = layout.timeCounter; i <= layout.historyLast; ++i)
            ASSERT_EQ(after[i], before[i]) << "byte " << i;
        EXPECT_EQ(view.statuses.back(), (StatusText{c.status + path(c.file), 383, StatusColour::WindowText}));
    }
}

TEST_F(FilesTest, OfflineEditingNeedsThePasswordOfTheFile)
{
    ImageBytes image = unit->memory();   // holds "1234" as its PC password
    const QString file = fileWith("offline.alm", image);
    view.password = "4321";
    EXPECT_EQ(ops->openFile(file), OperationOutcome::Failed);
    EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Ostżerzenie", texts::kWrongAccessPassword, MessageIcon::Exclamation}}));
    EXPECT_EQ(view.statuses.back(), (StatusText{texts::kWrongAccessPassword, 383, StatusColour::Red}));
    EXPECT_FALSE(view.programmingAccess);
    EXPECT_EQ(view.fills, 1);   // the tabs hold the file all the same

    view.password = "1234";
    EXPECT_EQ(ops->openFile(file), OperationOutcome::Done);
    EXPECT_TRUE(view.programmingAccess);
    EXPECT_EQ(view.page, 0);
    EXPECT_FALSE(view.operationsEnabled);
    EXPECT_TRUE(view.fileActions);
    EXPECT_EQ(view.statuses.back(), (StatusText{"Otworzono plik " + path("offline.alm"), 383, StatusColour::WindowText}));

    // Connecting afterwards gives every action back.
    ops->connect();
    EXPECT_TRUE(state.connected);
    EXPECT_TRUE(view.operationsEnabled);
    EXPECT_FALSE(view.fileActions);
    EXPECT_TRUE(view.programmingAccess);
}

TEST_F(FilesTest, BeforeAnyFamilyIsKnownTheImageIsSavedAsItIs)
{
    state.image.fill(0x3C);
    view.values.newPcPassword = view.values.newPcPasswordRepeat = "abcd";
    ops->saveFile(path("raw.alm"));
    SettingsImage saved;
    loadSettingsFile(path("raw.alm"), saved);
    EXPECT_EQ(saved.bytes(), filled(0x3C));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(FilesTest, AFailedSaveLeavesTheHandlerWithTheTimerRestored)
{
    connectAndClearLogs();
    view.calls.clear();
    EXPECT_THROW(ops->saveFile(path("no/such/folder/unit.alm")), FileError);
    EXPECT_TRUE(view.supervisionRunning);
    EXPECT_EQ(view.calls, (std::vector<QString>{"pauseSupervision", "restoreSupervision 1"}));
}
