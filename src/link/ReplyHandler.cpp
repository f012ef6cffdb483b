#include "link/ReplyHandler.h"

#include "alarm/Cp1250.h"
#include "link/LinkEvents.h"
#include "link/Protocol.h"
#include "link/ReplyState.h"
#include "alarm/SettingsImage.h"
#include "link/UiBridge.h"
#include "link/Wait.h"

namespace alvetra {

namespace {

// A login reply ends with the access byte, a spare byte and the 24-bit minute counter.
constexpr std::size_t kLoginTrailer = 5;
// A read reply starts with address, two spare bytes and the count.
constexpr std::size_t kReadHeader = 4;

// The unit's single-byte characters (code page 1250) of data[0] to data[count - 1].
QString textOf(const Bytes &data, std::size_t count)
{
    return cp1250::decode(QByteArray(reinterpret_cast<const char *>(data.data()), static_cast<qsizetype>(count)));
}

} // namespace

ReplyHandler::ReplyHandler(ReplyState &state, SettingsImage *image, LinkEvents *events, UiSteps &ui)
    : state_(state), image_(image), events_(events), ui_(ui)
{
}

bool ReplyHandler::handle(const Frame &frame)
{
    if (frame.destination != kPcAddress || frame.source != kUnitAddress)
        return false;
    bool handled = false;
    switch (frame.code) {
    case reply::kLogin: handled = loginReply(frame.data); break;
    case reply::kRead: handled = readReply(frame.data); break;
    case reply::kWrite: handled = writeReply(frame.data); break;
    case reply::kIdentifyFirst:
    case reply::kIdentifySecond: handled = identificationReply(frame); break;
    case reply::kStatus: handled = statusReport(frame); break;
    case reply::kLearning: handled = learningReport(frame.data); break;
    case reply::kConfirm: state_.raise(ReplyFlag::Confirmation); handled = true; break;
    case reply::kConfirmCan: state_.raise(ReplyFlag::CanConfirmation); handled = true; break;
    default: break;
    }
    if (handled)
        wakeUiThread();
    return handled;
}

void ReplyHandler::onUi(void (LinkEvents::*effect)())
{
    if (events_)
        ui_.run([events = events_, effect] { (events->*effect)(); });
}

bool ReplyHandler::loginReply(const Bytes &data)
{
    // Five bytes are a unit with an empty login text.
    if (data.size() < kLoginTrailer)
        return false;
    const std::size_t n = data.size();
    const QString loginText = textOf(data, n - kLoginTrailer);
    const std::uint8_t flags = data[n - 5] & 0x1F;
    const std::uint32_t counter = std::uint32_t(data[n - 3]) << 16 | std::uint32_t(data[n - 2]) << 8 | data[n - 1];

    state_.setIdentificationText(IdentificationText::Login, loginText);
    const QString line = state_.identificationText(IdentificationText::First) + QStringLiteral("  ")
                         + state_.identificationText(IdentificationText::Second) + QStringLiteral("  ") + loginText;
    state_.setTimeCounter(counter);
    if (events_) {
        ui_.run([events = events_, line, counter] {
            events->clearIdentification();
            events->setIdentification(line);
            events->setTimeCounter(counter);
        });
    }
    state_.setAccessFlags(flags);
    if (flags & access::kArmed) {
        onUi(&LinkEvents::showArmed);
        onUi(&LinkEvents::withdrawAccess);
    } else {
        onUi(&LinkEvents::showDisarmed);
    }
    if ((flags & (access::kAntiTheftActive | access::kAntiHijackActive)) || !(flags & access::kPasswordCorrect))
        onUi(&LinkEvents::withdrawAccess);
    state_.raise(ReplyFlag::Login);
    return true;
}

bool ReplyHandler::readReply(const Bytes &data)
{
    if (data.size() < kReadHeader)
        return false;
    const int address = data[0];
    const std::size_t count = data[3];
    if (kReadHeader + count > data.size() || address + count > static_cast<std::size_t>(kImageSize))
        return false;
    // A late reply to an earlier read (or one the unit sent for another block) must neither land
    // in the image nor end the read that waits now.
    const std::optional<ReplyState::ReadBlock> expected = state_.expectedRead();
    if (!expected || *expected != ReplyState::ReadBlock{static_cast<std::uint8_t>(address), data[3]})
        return false;
    if (image_) {
        for (std::size_t i = 0; i < count; ++i)
            image_->set(address + static_cast<int>(i), data[kReadHeader + i]);
    }
    state_.raise(ReplyFlag::Read);
    return true;
}

bool ReplyHandler::writeReply(const Bytes &data)
{
    if (data.empty())
        return false;
    state_.setFlag(ReplyFlag::WriteAccepted, data[0] != 1);
    state_.raise(ReplyFlag::Write);
    return true;
}

bool ReplyHandler::identificationReply(const Frame &frame)
{
    const bool first = frame.code == reply::kIdentifyFirst;
    state_.setIdentificationText(first ? IdentificationText::First : IdentificationText::Second,
                                 textOf(frame.data, frame.data.size()));
    state_.raise(first ? ReplyFlag::FirstId : ReplyFlag::SecondId);
    return true;
}

bool ReplyHandler::statusReport(const Frame &frame)
{
    // The status bytes are the four data bytes before the end the length byte announces.
    const std::size_t n = frame.data.size();
    if (n < 4 || frame.length != n + 2)
        return false;
    const std::array<std::uint8_t, 4> s = {frame.data[n - 4], frame.data[n - 3], frame.data[n - 2], frame.data[n - 1]};
    state_.setStatusBytes(s);
    if (events_)
        ui_.run([events = events_, s] { events->statusReport(s[0], s[1], s[2], s[3]); });
    state_.raise(ReplyFlag::Status);
    return true;
}

bool ReplyHandler::learningReport(const Bytes &data)
{
    if (data.empty())
        return false;
    state_.setLearnedCount(data[0]);
    state_.setFlag(ReplyFlag::Learning, data[0] != kLearningInProgress);
    return true;
}

} // namespace alvetra
