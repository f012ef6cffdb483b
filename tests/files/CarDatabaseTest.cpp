#include "files/CarDatabase.h"

#include "alarm/Cp1250.h"
#include "alarm/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace alvetra;

namespace {

// The databases shipped beside the program.
QString shippedDatabase(const char *name)
{
    return QFileInfo(QString::fromUtf8(__FILE__)).dir().absoluteFilePath(QStringLiteral("../../data/cars/%1").arg(name));
}

class CarDatabaseFile : public ::testing::Test {
protected:
    QString write(const QByteArray &bytes, const QString &name = QStringLiteral("cars.txt"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString writeText(const QString &text) { return write(cp1250::encode(text)); }

    // Loads and expects the database error.
    void expectFailure(CarDatabase &db, const QString &path)
    {
        try {
            db.load(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const FileError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Brak pliku z bazą danych o samochodach!"));
        }
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CarDatabaseFile, HeaderOnlyListsNoMakesAndTheNextLoadReadsAgain)
{
    CarDatabase db;
    const QString path = writeText("12\r\n");
    EXPECT_TRUE(db.load(path).ok);
    EXPECT_FALSE(db.hasMakes());
    EXPECT_TRUE(db.cars().empty());

    writeText("12\r\n0000,Fiat,Panda II,14\r\n");
    EXPECT_TRUE(db.load(path).ok);
    EXPECT_EQ(db.makes(), QStringList{"Fiat"});

    // Once makes are listed, later databases are not read.
    const QString other = write(cp1250::encode("3\r\n0000,Opel,Astra H,15\r\n"), "other.txt");
    EXPECT_TRUE(db.load(other).ok);
    EXPECT_EQ(db.makes(), QStringList{"Fiat"});
    ASSERT_EQ(db.cars().size(), 1u);
    EXPECT_EQ(db.cars()[0].model, QStringLiteral("Panda II"));
}

TEST_F(CarDatabaseFile, LinesShorterThanElevenCharactersAreSkipped)
{
    CarDatabase db;
    // "0000,A,B,1" is 10 characters, "0001,A,BC,2" is 11.
    db.load(writeText("0\n0000,A,B,1\n\n0001,A,BC,2\n"));
    ASSERT_EQ(db.cars().size(), 1u);
    EXPECT_EQ(db.cars()[0].model, QStringLiteral("BC"));
    EXPECT_EQ(db.cars()[0].group, 2);
}

TEST_F(CarDatabaseFile, KeysGroupsAndTheListsByPosition)
{
    CarDatabase db;
    db.load(writeText("1\r\n0000,Audi,A3 8P,17\r\n0001,Audi,A4 B7,4\r\n"
                      "0100,Škoda,Fabia I,3\r\n0101,Škoda,Octavia I,3\r\n0102,Škoda,Superb I,5\r\n"
                      "0103,Škoda,Octavia II,17\r\n"));
    EXPECT_EQ(db.makes(), (QStringList{"Audi", "Škoda"}));
    const CarRecord &octavia = db.cars().back();
    EXPECT_EQ(octavia.key, 0x0103);
    EXPECT_EQ(octavia.makeNumber(), 1);
    EXPECT_EQ(octavia.modelNumber(), 3);
    EXPECT_EQ(db.modelsOfMake(1).at(3), QStringLiteral("Octavia II"));
    EXPECT_EQ(db.modelsOfMake(1).size(), 4);
    EXPECT_EQ(db.groupForKey(0x0103), std::optional<std::uint8_t>(17));
    EXPECT_FALSE(db.groupForKey(0x0104).has_value());
}

TEST_F(CarDatabaseFile, MakeListedTwiceAppearsTwiceAndKeepsAllItsModels)
{
    CarDatabase db;
    db.load(writeText("0\n0000,Fiat,Punto II,13\n0100,Opel,Astra G,2\n0001,Fiat,Stilo,13\n"));
    EXPECT_EQ(db.makes(), (QStringList{"Fiat", "Opel", "Fiat"}));
    EXPECT_EQ(db.modelsOfMake(0), (QStringList{"Punto II", "Stilo"}));
    EXPECT_TRUE(db.modelsOfMake(2).isEmpty());
}

TEST_F(CarDatabaseFile, SameKeyTwiceStoresTheLaterGroup)
{
    CarDatabase db;
    db.load(writeText("0\n0000,Fiat,Punto II,13\n0000,Fiat,Punto II,26\n"));
    EXPECT_EQ(db.groupForKey(0), std::optional<std::uint8_t>(26));

    SettingsImage image;
    TabValues values;
    values.alarmCan = true;
    values.make = 0;
    values.model = 0;
    EXPECT_TRUE(buildCanGroup(image, kLayoutB, values, db.groupLookup()).ok);
    EXPECT_EQ(image.at(kLayoutB.canGroup), 26);
    values.model = 1;
    const BuildOutcome missing = buildCanGroup(image, kLayoutB, values, db.groupLookup());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message->text, QStringLiteral("Brak samochodu w bazie"));
}

TEST_F(CarDatabaseFile, EmptyFileIsReportedAndNotAnError)
{
    CarDatabase db;
    const CarDatabase::LoadResult result = db.load(write(QByteArray()));
    EXPECT_FALSE(result.ok);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(*result.message, (UserMessage{QStringLiteral("Iformacja"),
                                            QStringLiteral("Plik z bazą danych o samochodach jest pusty."),
                                            MessageIcon::Information}));
}

TEST_F(CarDatabaseFile, MissingFileOrFolderIsTheDatabaseError)
{
    CarDatabase db;
    expectFailure(db, dir.filePath("nothing.txt"));
    expectFailure(db, dir.path());
    expectFailure(db, dir.path() + QStringLiteral("/"));
}

TEST_F(CarDatabaseFile, BadLinesStopTheLoadAndKeepWhatWasRead)
{
    const char *badLines[] = {
        "01G3,Fiat,Stilo,13",        // not hexadecimal
        "10000,Fiat,Stilo,13",       // key above FFFF
        "0x01,Fiat,Stilo,13",        // prefix
        "0001,Fiat,Stilo,256",       // group above 255
        "0001,Fiat,Stilo,-1",        // negative group
        "0001,Fiat,Stilo,1x",        // trailing letters
        "0001,Fiat Stilo 13",        // commas missing
        "0001,Fiat,Stilo 13",        // one comma missing
        "0001,Fiat,Stilo,",          // no group
        ",Fiat,Stilo,13",            // no key
        "0001,Fiat,Stilo,1,2",       // a comma too many
    };
    for (const char *bad : badLines) {
        CarDatabase db;
        expectFailure(db, writeText(QStringLiteral("0\n0000,Fiat,Punto II,13\n%1\n0100,Opel,Astra G,2\n").arg(bad)));
        EXPECT_EQ(db.cars().size(), 1u) << bad;
        EXPECT_EQ(db.makes(), QStringList{"Fiat"}) << bad;
    }
    for (const char *header : {"", "abc", "256", "-1", "1 2"}) {
        CarDatabase db;
        expectFailure(db, writeText(QStringLiteral("%1\n0000,Fiat,Punto II,13\n").arg(header)));
        EXPECT_TRUE(db.cars().empty()) << header;
    }
}

TEST_F(CarDatabaseFile, ToleratesBlanksAroundNumbersAndOddLineEnds)
{
    CarDatabase db;
    db.load(writeText(" 7 \r0000,Fiat,Punto II, 13 \r\n0001,Fiat,Stilo,13"));
    ASSERT_EQ(db.cars().size(), 2u);
    EXPECT_EQ(db.cars()[0].group, 13);
    EXPECT_EQ(db.cars()[1].model, QStringLiteral("Stilo"));
}

TEST_F(CarDatabaseFile, OtherEncodingsAndBinaryGarbageNeverCrash)
{
    CarDatabase utf8;   // would list garbled names: refused like a damaged file
    expectFailure(utf8, write(QStringLiteral("0\n0000,Škoda,Fabia I,3\n").toUtf8()));
    EXPECT_TRUE(utf8.cars().empty());

    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919) & 0xFF));
    CarDatabase db;
    try {
        db.load(write(garbage));
    } catch (const FileError &) {
    }
    QByteArray withNul("0\n0000,Fi\0at,Punto,1\n", 22);
    CarDatabase nul;
    nul.load(write(withNul));
    EXPECT_EQ(nul.cars().size(), 1u);
}

TEST(ShippedCarDatabases, LoadAndFollowTheNumberingRule)
{
    std::size_t largest = 0;
    for (const char *name : {"MZRAv14.txt", "MZRAv17.txt", "MZRAv18.txt", "MZRFv10.txt"}) {
        CarDatabase db;
        ASSERT_TRUE(db.load(shippedDatabase(name)).ok) << name;
        ASSERT_TRUE(db.hasMakes()) << name;
        std::set<std::uint16_t> keys;
        for (const CarRecord &car : db.cars()) {
            EXPECT_TRUE(keys.insert(car.key).second) << name << " duplicate key " << car.key;
            ASSERT_LT(car.makeNumber(), db.makes().size()) << name;
            EXPECT_EQ(db.makes().at(car.makeNumber()), car.make) << name;
            EXPECT_EQ(db.modelsOfMake(car.makeNumber()).at(car.modelNumber()), car.model) << name;
            EXPECT_GE(car.group, 1) << name;
            EXPECT_LE(car.group, 60) << name;
        }
        largest = std::max(largest, db.cars().size());
        EXPECT_TRUE(db.makes().contains(QStringLiteral("Škoda"))) << name;
        EXPECT_TRUE(db.makes().contains(QStringLiteral("Citroën"))) << name;
        EXPECT_TRUE(db.modelsOfMake(db.makes().indexOf("FSC")).contains(QStringLiteral("Żuk A-06"))) << name;
        EXPECT_TRUE(db.modelsOfMake(db.makes().indexOf("FSO")).contains(QStringLiteral("Polonez Caro"))) << name;
        EXPECT_GE(db.makes().size(), 25) << name;
    }
    EXPECT_GE(largest, 150u);

    // Later generations know more models.
    CarDatabase first, newest;
    first.load(shippedDatabase("MZRAv14.txt"));
    newest.load(shippedDatabase("MZRFv10.txt"));
    EXPECT_GT(newest.cars().size(), first.cars().size());
}

TEST_F(CarDatabaseFile, DamagedDatabasesLoadOrFailCleanly)
{
    QFile shipped(shippedDatabase("MZRAv14.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray original = shipped.readAll();
    std::mt19937 random(11);
    int loaded = 0, refused = 0;
    for (int run = 0; run < 300; ++run) {
        QByteArray damaged = original;
        const int changes = 1 + int(random() % 8);
        for (int i = 0; i < changes; ++i) {
            const int at = int(random() % damaged.size());
            switch (random() % 3) {
            case 0: damaged[at] = static_cast<char>(random()); break;
            case 1: damaged.remove(at, int(random() % 40)); break;
            default: damaged.insert(at, ",,\r\n\x81\xFF"); break;
            }
        }
        CarDatabase db;
        try {
            db.load(write(damaged));
            ++loaded;
        } catch (const FileError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Brak pliku z bazą danych o samochodach!"));
            ++refused;
        }
        EXPECT_LE(db.cars().size(), static_cast<std::size_t>(damaged.count('\n') + damaged.count('\r') + 1));
        EXPECT_LE(db.makes().size(), static_cast<qsizetype>(db.cars().size()));
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}
