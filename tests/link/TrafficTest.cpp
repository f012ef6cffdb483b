// The traffic tap, the frame decoder and the traffic log: what crossed the line, what it means,
// and the file it is kept in.

#include "LinkFixture.h"
#include "link/FrameDecoder.h"
#include "link/LinkTexts.h"
#include "link/Protocol.h"
#include "link/TrafficLog.h"
#include "link/TrafficLogFormat.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::test;

namespace {

class RecordingSink : public TrafficSink {
public:
    void take(const TrafficEvent &event) override
    {
        std::lock_guard lock(mutex);
        events.push_back(event);
    }
    std::vector<TrafficEvent> seen() const
    {
        std::lock_guard lock(mutex);
        return events;
    }
    mutable std::mutex mutex;
    std::vector<TrafficEvent> events;
};

using Dir = TrafficEvent::Direction;
using Kind = TrafficEvent::Kind;

std::string wire(const Frame &frame)
{
    return encodeFrame(frame).chopped(2).toStdString();
}

class TrafficTapTest : public LinkFixture {};

} // namespace

TEST_F(TrafficTapTest, TellsEveryFrameWrittenAndEveryTextTheReaderSeesInOrder)
{
    RecordingSink sink;
    link->traffic().attach(&sink);
    answer(request::kStatus, {1, 2, 3, 4});
    openPort();
    line->push(QByteArray("\x01zz:E0028C;\r\n", 13));   // noise, then a frame with a bad check byte
    ASSERT_TRUE(waitFor([&] { return sink.seen().size() == 2; }));
    ASSERT_TRUE(link->sendStatusRequest(2500, 1000));
    ASSERT_TRUE(waitFor([&] { return sink.seen().size() == 4; }));
    link->traffic().detach(&sink);

    const std::vector<TrafficEvent> seen = sink.seen();
    const Frame request = makeFrame(kUnitAddress, request::kStatus, kPcAddress, defaultDataBlock());
    const Frame reply = makeFrame(kPcAddress, reply::kStatus, kUnitAddress, {1, 2, 3, 4});
    const std::vector<std::tuple<Dir, Kind, std::string>> expected = {
        {Dir::FromUnit, Kind::Noise, "\x01zz"},
        {Dir::FromUnit, Kind::Damaged, ":E0028C;"},
        {Dir::ToUnit, Kind::Frame, wire(request)},
        {Dir::FromUnit, Kind::Frame, wire(reply)},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].direction, std::get<0>(expected[i])) << i;
        EXPECT_EQ(seen[i].kind, std::get<1>(expected[i])) << i;
        EXPECT_EQ(seen[i].text, std::get<2>(expected[i])) << i;
    }
    EXPECT_LE(seen[2].microseconds, seen[3].microseconds);
}

TEST(FrameDecoder, NamesEveryRequestAndReplyAndSplitsTheirData)
{
    struct Case {
        std::uint8_t code;
        Bytes data;
        const char *name;
        int address, count;   // -1: none
        const char *bytes;
        const char *text;
    };
    const Bytes block = defaultDataBlock();
    const Case cases[] = {
        {request::kLogin, {4, '1', '2', '3', '4'}, "login", -1, -1, "04", "1234"},
        {request::kRead, {0, 0, 0x10, 8}, "read", 0x10, 8, "", ""},
        {request::kWrite, {0, 0, 0x40, 2, 0xAB, 0xCD}, "write", 0x40, 2, "AB CD", ""},
        {request::kIdentifyFirst, block, "identify-1", -1, -1, "", ""},
        {request::kIdentifySecond, block, "identify-2", -1, -1, "", ""},
        {request::kStatus, block, "status", -1, -1, "", ""},
        {request::kLearning, {1}, "learning", -1, -1, "01", ""},
        {request::kBlockKeeping, block, "block-keeping", -1, -1, "", ""},
        {request::kDisconnect, {}, "disconnect", -1, -1, "", ""},
        {request::kConfirm, block, "confirm", -1, -1, "", ""},
        {request::kConfirmCan, block, "confirm-can", -1, -1, "", ""},
        {0x42, {7}, "unknown", -1, -1, "07", ""},
        {reply::kLogin, {'M', 'Z', 'R', 1, 0, 0, 1, 2}, "login", -1, -1, "01 00 00 01 02", "MZR"},
        {reply::kRead, {0x10, 0, 0, 2, 0x55, 0x66}, "read", 0x10, 2, "55 66", ""},
        {reply::kWrite, {1}, "write", -1, -1, "01", ""},
        {reply::kIdentifyFirst, {'A', 'b'}, "identify-1", -1, -1, "", "Ab"},
        {reply::kIdentifySecond, {'H', 0x9C}, "identify-2", -1, -1, "", "Hś"},
        {reply::kStatus, {1, 2, 3, 4}, "status", -1, -1, "01 02 03 04", ""},
        {reply::kLearning, {5}, "learning", -1, -1, "05", ""},
        {reply::kConfirm, {}, "confirm", -1, -1, "", ""},
        {reply::kConfirmCan, {}, "confirm-can", -1, -1, "", ""},
    };
    for (const Case &c : cases) {
        const bool isReply = c.code & kReplyBit;
        const Frame frame = isReply ? makeFrame(kPcAddress, c.code, kUnitAddress, c.data)
                                    : makeFrame(kUnitAddress, c.code, kPcAddress, c.data);
        const FrameMeaning m = decodeFrameText(encodeFrame(frame));
        ASSERT_TRUE(m.valid) << int(c.code);
        EXPECT_EQ(m.reply, isReply) << int(c.code);
        EXPECT_EQ(m.name, QString::fromLatin1(c.name)) << int(c.code);
        EXPECT_EQ(m.address.value_or(-1), c.address) << int(c.code);
        EXPECT_EQ(m.count.value_or(-1), c.count) << int(c.code);
        EXPECT_EQ(bytesToHex(m.bytes), QString::fromLatin1(c.bytes)) << int(c.code);
        EXPECT_EQ(m.text, QString::fromUtf8(c.text)) << int(c.code);
    }
    EXPECT_FALSE(decodeFrameText(":E0028C;").valid);
}

TEST(TrafficLogFormat, LinesReadBackAsWrittenWhateverBytesTheNoiseHeld)
{
    const std::string noise("\"\\\x01\xff\x7f", 5);
    const Frame status = makeFrame(kUnitAddress, request::kStatus, kPcAddress, defaultDataBlock());
    const QByteArray log = trafficLogLine({1500000, Dir::ToUnit, Kind::Frame, wire(status)})
        + trafficLogLine({2000001, Dir::FromUnit, Kind::Noise, noise}) + "not json\n\n"
        + trafficLogLine({2500000, Dir::FromUnit, Kind::Damaged, ":E0;"});
    EXPECT_TRUE(log.startsWith("{\"t\": 1.500000, \"dir\": \"tx\", \"frame\": \":C50708E00000000000D5;\", "
                               "\"name\": \"status\"}\n"))
        << log.constData();

    const TrafficLogContents read = readTrafficLog(log);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.badLines, 1);
    EXPECT_EQ(read.firstBadLine, 3);
    EXPECT_EQ(read.records[0].frame.toStdString(), wire(status));
    EXPECT_FALSE(read.records[0].error);
    EXPECT_EQ(read.records[1].frame.toStdString(), noise);
    EXPECT_DOUBLE_EQ(read.records[1].seconds, 2.000001);
    EXPECT_EQ(read.records[1].direction, Dir::FromUnit);
    EXPECT_TRUE(read.records[2].error);
}

TEST(TrafficLog, AFileThatCannotBeWrittenIsReportedOnceAndNeverBlocks)
{
    QTemporaryDir dir;
    TrafficLog unopenable;
    // The reason is the system's own text, in the system's language.
    const QString refused = unopenable.open(dir.filePath("missing/log.jsonl")).value_or(QString());
    const QString head = QStringLiteral("Nie można otworzyć dziennika ruchu %1: ").arg(dir.filePath("missing/log.jsonl"));
    EXPECT_TRUE(refused.startsWith(head) && refused.endsWith(QLatin1Char('.')) && refused.size() > head.size() + 1)
        << refused.toStdString();
    unopenable.take({0, Dir::ToUnit, Kind::Frame, ":C5;"});   // dropped: never opened

#ifndef _WIN32

    // /dev/full (Linux has it) takes the open and fails every write as a full disk does.
    TrafficLog full;
    std::atomic<int> reports{0};
    QString message;
    ASSERT_EQ(full.open(QStringLiteral("/dev/full"), [&](const QString &m) { message = m; ++reports; }), std::nullopt);
    for (int i = 0; i < 3; ++i) {
        full.take({i, Dir::ToUnit, Kind::Frame, ":C5;"});
        full.flush();
    }
    EXPECT_EQ(reports.load(), 1);
    EXPECT_EQ(message, QStringLiteral("Zapis dziennika ruchu /dev/full przerwany: No space left on device. "
                                      "Łącze działa dalej bez dziennika."));
    EXPECT_EQ(full.error(), message);
    EXPECT_FALSE(full.isOpen());
#endif
}

TEST(TrafficSecrets, PasswordsAndCodesAreMaskedInTheLogAndAMaskedFrameStillReplays)
{
    EXPECT_EQ(secretSpanOf(kLayoutB), (SecretSpan{54, 66}));   // four code words, then the password
    EXPECT_EQ(secretSpanOf(Layout{}), (SecretSpan{54, 68}));   // before the family is known: both layouts
    const SecretSpan span = secretSpanOf(kLayoutB);
    const Frame login = makeFrame(kUnitAddress, request::kLogin, kPcAddress, {4, '1', '2', '3', '4'});
    // A write across the end of the password: its last two characters, then the flags word.
    const Frame write = makeFrame(kUnitAddress, request::kWrite, kPcAddress, {0, 0, 64, 4, '3', '4', 0x5A, 0x6B});
    const QByteArray log = trafficLogLine({0, Dir::ToUnit, Kind::Frame, wire(login), span})
        + trafficLogLine({1, Dir::ToUnit, Kind::Frame, wire(write), span})
        + trafficLogLine({2, Dir::FromUnit, Kind::Damaged, ":E00E82C538000008D3D4D5D6D7D831323X;", span});
    EXPECT_TRUE(log.contains(R"("frame": ":C50701E004**********;", "name": "login", "data": "04", "text": "****")"))
        << log.constData();
    EXPECT_TRUE(log.contains(R"("data": "** ** 5A 6B")")) << log.constData();
    EXPECT_TRUE(log.contains(R"("frame": ":E00E82C5*************************X;", "error": "damaged")")) << log.constData();
    EXPECT_TRUE(trafficLogLine({0, Dir::ToUnit, Kind::Frame, wire(login), span}, true).contains("31323334"));

    // Replayed, a masked byte is "*" and the check byte fits again.
    const std::vector<TrafficRecord> records = readTrafficLog(log).records;
    const std::optional<ReplayFrame> replayed = frameWithMasks(records[1].frame);
    ASSERT_TRUE(replayed);
    EXPECT_EQ(replayed->frame, makeFrame(kUnitAddress, request::kWrite, kPcAddress, {0, 0, 64, 4, '*', '*', 0x5A, 0x6B}));
    EXPECT_EQ(replayed->masked, (std::vector<bool>{false, false, false, false, true, true, false, false}));
}
