// Writing to a unit of the first family with the CAN-analysis options (family 15): the
// boundary at which the options and the CAN group's own confirmation begin.

#include "OpsHarness.h"

using namespace alvetra;
using namespace alvetra::test;

TEST_F(OpsTest, WritingAllToFamily15WritesTheCanOptionsAndConfirmsTheCanGroup)
{
    startUnit(unitConfig("MZRAv1.5"));
    connectAndClearLogs();
    ASSERT_EQ(state.familyCode, 15);
    view.values.alarmCan = false;
    view.values.chosenCanGroup = "42";
    view.values.canIgnoreDoorSwitches = view.values.canIgnoreIgnition = false;
    view.values.canIgnoreFactoryRemote = true;
    view.values.newPcPassword = view.values.newPcPasswordRepeat = "1234";
    EXPECT_EQ(ops->writeAll(), OperationOutcome::Done);

    // The CAN group (one byte at 79) is followed by its own confirmation.
    const std::vector<Frame> frames = unit->received();
    const auto canGroup = std::find_if(frames.begin(), frames.end(), [](const Frame &f) {
        return f.code == 0x03 && f.data.at(2) == 79;
    });
    ASSERT_NE(canGroup, frames.end());
    ASSERT_NE(canGroup + 1, frames.end());
    EXPECT_EQ((canGroup + 1)->code, 0x0D);
    EXPECT_EQ(unit->memoryAt(79), 42);
    // Then the CAN-analysis options: the flags word, with only "pilot" of the three set.
    const std::vector<int> rest = [&] {
        std::vector<int> codes;
        for (auto f = canGroup + 2; f != frames.end(); ++f)
            codes.push_back(f->code);
        return codes;
    }();
    EXPECT_EQ(rest, (std::vector<int>{0x06, 0x07, 0x01, 0x03, 0x0C}));
    EXPECT_EQ(writesReceived().back().first, 66);
    EXPECT_EQ(unit->memoryAt(68) & 0x70, 0x40);
}
