#pragma once
// A serial link on a fake line, with a recording window; resets the time base and the
// terminating mark after each test.

#include "FakeTransport.h"
#include "RecordingEvents.h"
#include "link/SerialLink.h"
#include "alarm/SettingsImage.h"
#include "link/Wait.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace alvetra::test {

class LinkFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        link.reset();
        TimeBase::setSpeedup(1.0);
        setApplicationTerminating(false);
    }

    // Opens the fake port and waits until the reader thread has it open.
    void openPort(const QString &name = QStringLiteral("COM3"))
    {
        ASSERT_TRUE(link->open(name, 8));
        ASSERT_TRUE(waitFor([&] { return events.log.contains(QStringLiteral("portOpened")); }));
    }

    // The unit answers each request code with `data` at once.
    void answer(std::uint8_t code, Bytes data = {}, int delayMs = 0)
    {
        answers[code] = {std::move(data), delayMs};
        line->respond([this](const QByteArray &text) -> std::optional<FakeLine::Reply> {
            const auto it = answers.find(requestCode(text));
            if (it == answers.end())
                return std::nullopt;
            return FakeLine::Reply{replyText(it->first | kReplyBit, it->second.first), it->second.second};
        });
    }

    std::map<std::uint8_t, std::pair<Bytes, int>> answers;   // the responder runs in write(), on this thread
    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    SettingsImage image;
    RecordingEvents events;
    std::unique_ptr<SerialLink> link = std::make_unique<SerialLink>(image, events, line->factory());
};

} // namespace alvetra::test
