// What the fitter is told about an adapter that holds received bytes too long.

#include "link/PortSearch.h"

#include <gtest/gtest.h>

using namespace alvetra;

TEST(LatencyAdvice, OnlyAnAdapterHoldingBytesOverTwoMillisecondsIsToldWhatItCostsAndHowToLowerIt)
{
    EXPECT_FALSE(latencyAdvice({QStringLiteral("COM3"), {}, {}, 0}));   // unknown, or set by the program
    EXPECT_FALSE(latencyAdvice({QStringLiteral("COM3"), {}, {}, 2}));
    const std::optional<QString> advice = latencyAdvice({QStringLiteral("COM3"), {}, {}, 16});
    ASSERT_TRUE(advice);
    EXPECT_TRUE(advice->startsWith(QStringLiteral("Przejściówka USB portu COM3 przetrzymuje odebrane dane do 16 ms")))
        << advice->toStdString();
    // 36 replies of a full read, each up to 16 ms late.
    EXPECT_TRUE(advice->contains(QStringLiteral("trwa do 0,6 s dłużej"))) << advice->toStdString();
    EXPECT_TRUE(advice->contains(QStringLiteral("> COM3 > Właściwości > Port Settings > Advanced > Latency Timer (msec): 1")));
}
