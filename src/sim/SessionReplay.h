#pragma once
// A recorded session (a traffic log, link/TrafficLogFormat.h) as the unit's answers: every
// request the program wrote in the recording, with what came from the unit after it until the
// program's next request.
//
//   SessionReplay replay(readTrafficLog(file.readAll()));
//   if (const auto replies = replay.answer(request))   // the wire texts to send, in order
//       ...;                                          // nullopt: the recording never held it
//
// A request is answered with the replies of the first recorded request of the same code and
// data that has not answered yet, so a session plays back in its recorded order: a request
// that went unanswered in the recording (and was sent again) is unanswered again, damaged text
// and noise come back as they came. Once every recorded copy of a request has answered, the
// last of them answers again (status polls come as often as the timer runs, not as often as
// they did in the recording). A log with its secrets masked (link/TrafficSecrets.h) replays as
// well: a masked byte of a request matches whatever the program sends there (the login with any
// password is answered as recorded), and a masked byte of a reply comes as kMaskByte.

#include "link/Frame.h"
#include "link/TrafficLogFormat.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace alvetra::sim {

class SessionReplay {
public:
    explicit SessionReplay(const TrafficLogContents &log);

    std::optional<std::vector<QByteArray>> answer(const Frame &request);

    // Recorded requests, and those that have answered.
    std::size_t exchanges() const { return exchanges_.size(); }
    std::size_t used() const;

private:
    struct Exchange {
        Frame request;
        std::vector<bool> masked;          // per data byte: masked in the log, matches any byte
        std::vector<QByteArray> replies;   // wire texts, CR LF after every frame
        bool used = false;
        bool matches(const Frame &other) const;
    };
    std::vector<Exchange> exchanges_;
};

} // namespace alvetra::sim
