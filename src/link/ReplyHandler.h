#pragma once
// What the reader thread does with each frame from the unit: store the reply's data (in the
// reply state, or straight into the settings image for a read reply), run its effects on the
// window, and raise its flag last, then wake the UI thread so that a waiting transaction sees
// the flag at once.
//
// Frames that are not from the unit (0xC5) to this program (0xE0) are skipped, and so are
// replies too short for their layout and read replies for another block than the outstanding
// read asked for; none of them raises a flag.

#include "link/Frame.h"

#include <cstdint>

namespace alvetra {

class LinkEvents;
class ReplyState;
class SettingsImage;
class UiSteps;

class ReplyHandler {
public:
    // `image` and `events` may be null (nothing stored or shown for them).
    ReplyHandler(ReplyState &state, SettingsImage *image, LinkEvents *events, UiSteps &ui);

    // True when the frame was a reply this program handles and its flag was set.
    bool handle(const Frame &frame);

private:
    bool loginReply(const Bytes &data);
    bool readReply(const Bytes &data);
    bool writeReply(const Bytes &data);
    bool identificationReply(const Frame &frame);
    bool statusReport(const Frame &frame);
    bool learningReport(const Bytes &data);
    void onUi(void (LinkEvents::*effect)());

    ReplyState &state_;
    SettingsImage *image_;
    LinkEvents *events_;
    UiSteps &ui_;
};

} // namespace alvetra
