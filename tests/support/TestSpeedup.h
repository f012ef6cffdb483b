#pragma once
// How much faster than real time the link's waits run in a test. Natively the given speed-up;
// where wake-ups between threads take longer (Wine turns each into a round trip to its server),
// ALVETRA_TEST_SLOWDOWN divides it, so that a reply still comes well within its wait.

#include <QtGlobal>

namespace alvetra::test {

inline double testSpeedup(double native)
{
    bool ok = false;
    const double slowdown = qEnvironmentVariable("ALVETRA_TEST_SLOWDOWN").toDouble(&ok);
    return ok && slowdown > 1 ? native / slowdown : native;
}

} // namespace alvetra::test
