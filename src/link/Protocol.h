#pragma once
// The codes of the alarm protocol that both ends share: the requests (a reply carries its
// request's code plus kReplyBit), the access byte of a login reply and the learning report.

#include "link/Frame.h"

#include <cstdint>

namespace alvetra {

namespace request {
constexpr std::uint8_t kLogin = 0x01;
constexpr std::uint8_t kRead = 0x02;
constexpr std::uint8_t kWrite = 0x03;
constexpr std::uint8_t kIdentifyFirst = 0x06;
constexpr std::uint8_t kIdentifySecond = 0x07;
constexpr std::uint8_t kStatus = 0x08;
constexpr std::uint8_t kLearning = 0x09;
constexpr std::uint8_t kBlockKeeping = 0x0A;
constexpr std::uint8_t kDisconnect = 0x0B;
constexpr std::uint8_t kConfirm = 0x0C;
constexpr std::uint8_t kConfirmCan = 0x0D;
} // namespace request

namespace reply {
constexpr std::uint8_t to(std::uint8_t request) { return request | kReplyBit; }

constexpr std::uint8_t kLogin = to(request::kLogin);
constexpr std::uint8_t kRead = to(request::kRead);
constexpr std::uint8_t kWrite = to(request::kWrite);
constexpr std::uint8_t kIdentifyFirst = to(request::kIdentifyFirst);
constexpr std::uint8_t kIdentifySecond = to(request::kIdentifySecond);
constexpr std::uint8_t kStatus = to(request::kStatus);
constexpr std::uint8_t kLearning = to(request::kLearning);
constexpr std::uint8_t kConfirm = to(request::kConfirm);
constexpr std::uint8_t kConfirmCan = to(request::kConfirmCan);
} // namespace reply

// The access byte of a login reply: the session opens only when it is exactly kPasswordCorrect.
namespace access {
constexpr std::uint8_t kPasswordCorrect = 0x01;
constexpr std::uint8_t kArmed = 0x02;
constexpr std::uint8_t kAntiTheftActive = 0x08;
constexpr std::uint8_t kAntiHijackActive = 0x10;
} // namespace access

// Requests that change nothing in the unit, so that sending one again while its reply is missing
// is harmless: read, the two identifications, status, and the login. Every operation already
// logs in over a session its previous login opened (writing all groups logs in nine times in
// one session): the same password gets the same verdict and leaves the unit as one login did.
// Writes, confirmations, learning, block keeping and disconnect do change it.
constexpr bool safeToRepeat(std::uint8_t requestCode)
{
    return requestCode == request::kLogin || requestCode == request::kRead || requestCode == request::kIdentifyFirst
           || requestCode == request::kIdentifySecond || requestCode == request::kStatus;
}

// The first learning report: the unit is waiting for a remote or token. Any other value ends
// the learning and is the number of records learnt.
constexpr std::uint8_t kLearningInProgress = 5;

} // namespace alvetra
