#pragma once
// The requests the operations send, each with its code, data and waiting times, so that the
// operations read as what they do.

#include "link/Protocol.h"
#include "ops/UnitLink.h"

#include <QString>
#include <cstdint>

namespace alvetra {

// Every operation starts its login after this pause, so the unit has settled after the
// supervision's last request.
constexpr int kLoginDelayMs = 1000;

// New logins allowed for one block whose read or write the unit does not answer before the
// operation gives up, so a unit that answers logins but nothing else cannot keep the program
// busy for ever.
constexpr int kMaxReloginsPerBlock = 3;

class UnitRequests {
public:
    explicit UnitRequests(UnitLink &link) : link_(link) {}

    bool portOpen() const { return link_.portOpen(); }

    bool identifyFirst(int delayMs);
    bool identifySecond();
    // The password as typed: its length and its characters in the unit's code page.
    bool login(const QString &password);
    // Sent once and not awaited.
    void disconnect();
    bool startLearning(bool tokens);
    bool confirm();
    bool confirmCan();

    bool readBlock(int address, int count);
    WriteResult writeBlock(int address, int count, const SettingsImage &image);

    UnitLink &link() { return link_; }

private:
    UnitLink &link_;
};

// The login request's data as hex text: the length byte, then one byte per character in code
// page 1250, each as two upper-case digits ("" gives "00", "1234" gives "0431323334").
QString passwordHexText(const QString &password);

} // namespace alvetra
