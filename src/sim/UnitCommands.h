#pragma once
// The alvetra-unit console: one line of text in, the change made to the simulated unit and a
// short answer out. Lets a demonstration or a manual test move the inputs, arm the alarm,
// finish a learning or inject faults while the program is connected.

#include "sim/SimulatedUnit.h"

#include <QString>
#include <optional>
#include <set>

namespace alvetra::sim {

class UnitCommands {
public:
    struct Outcome {
        QString text;        // what to print (several lines for "dump" and "help")
        bool ok = true;      // false: the line was not understood
        bool quit = false;
    };

    explicit UnitCommands(SimulatedUnit &unit) : unit_(unit) {}

    Outcome execute(const QString &line);

    static QString helpText();
    // "dump": identity, session, counter, status bytes and the memory in rows of 16.
    static QString describe(const SimulatedUnit &unit);
    // One identification string of each firmware family 14 to 18; nothing for another number.
    static std::optional<QString> identificationOfFamily(int family);
    // "08,0c" or "8 C" or "0x08": request codes in hex; "none" is the empty set.
    static std::optional<std::set<std::uint8_t>> parseRequestCodes(const QString &text);

private:
    Outcome switchInput(Input input, const QStringList &args);
    Outcome antiTheft(const QStringList &args);
    Outcome antiHijack(const QStringList &args);
    Outcome remote(const QStringList &args);
    Outcome status(const QStringList &args);
    Outcome learn(const QStringList &args);
    // Words as typed: identifications and texts keep their case.
    Outcome become(const QStringList &args);
    Outcome fault(const QString &name, const QStringList &args);
    Outcome withStatus(const QString &what) const;

    SimulatedUnit &unit_;
};

} // namespace alvetra::sim
