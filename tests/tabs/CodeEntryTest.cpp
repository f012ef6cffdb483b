// Codes entered as short and long presses of the press buttons, or typed as k and d.

#include "ui/tabs/CodeEntry.h"
#include "alarm/FileError.h"
#include "TabsHarness.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;

namespace {

class CodeEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.pages->show();
        h.pages->setCurrentIndex(kPageCodes);
    }

    QPushButton *press(const char *name) { return h.find<QPushButton>(name); }
    QLineEdit *edit(const char *name) { return h.find<QLineEdit>(name); }

    // A press held for `ticks` ticks of the supervision timer, with any mouse button.
    void click(QPushButton *button, int ticks, Qt::MouseButton mouseButton = Qt::LeftButton)
    {
        QTest::mousePress(button, mouseButton);
        for (int i = 0; i < ticks; ++i)
            h.tabs->advancePressTick();
        QTest::mouseRelease(button, mouseButton);
    }

    TabsHarness h;
};

TEST_F(CodeEntryTest, QuickClickGivesKAndAHeldPressGivesD)
{
    for (int i = 0; i < 20; ++i)   // the tab has been shown for a while
        h.tabs->advancePressTick();
    click(press("BITBTN_KodKidnaper"), 0);
    EXPECT_EQ(edit("ED_KodKidnaper")->text(), QStringLiteral("K"));
    // Held one second at 200 ms per tick.
    click(press("BITBTN_KodKidnaper"), 5);
    EXPECT_EQ(edit("ED_KodKidnaper")->text(), QStringLiteral("KD"));
    // The boundary: two ticks are still short, three are long.
    click(press("BITBTN_KodKidnaper"), 2);
    click(press("BITBTN_KodKidnaper"), 3);
    EXPECT_EQ(edit("ED_KodKidnaper")->text(), QStringLiteral("KDKD"));
    EXPECT_EQ(h.tabs->gather().antiHijackCode, QStringLiteral("KDKD"));
}

TEST_F(CodeEntryTest, AnyMouseButtonPressesAndTheTickCounterSaturates)
{
    click(press("BITBTN_KodInst"), 4, Qt::RightButton);
    EXPECT_EQ(edit("ED_KodInst")->text(), QStringLiteral("D"));
    // 256 ticks: a counter that wrapped round would read 0 and call this long press short.
    QTest::mousePress(press("BITBTN_KodInst"), Qt::LeftButton);
    for (int i = 0; i < 256; ++i)
        h.tabs->advancePressTick();
    EXPECT_EQ(h.tabs->codeEntry().pressTicks(), 255);
    QTest::mouseRelease(press("BITBTN_KodInst"), Qt::LeftButton);
    EXPECT_EQ(edit("ED_KodInst")->text(), QStringLiteral("DD"));
}

TEST_F(CodeEntryTest, EachSlotHoldsTwelveSymbolsOfItsOwn)
{
    for (int i = 0; i < 14; ++i)
        click(press("BITBTN_KodInst"), i % 2 ? 3 : 0);
    EXPECT_EQ(edit("ED_KodInst")->text(), QStringLiteral("KDKDKDKDKDKD"));
    QTest::keyClicks(edit("ED_KodInst"), QStringLiteral("d"));
    EXPECT_EQ(edit("ED_KodInst")->text(), QStringLiteral("KDKDKDKDKDKD"));
    click(press("BITBTN_KodAntykradziez"), 0);
    click(press("BITBTN_KodIAwarja"), 3);
    QTest::keyClicks(edit("ED_KodKidnaper"), QStringLiteral("k"));
    EXPECT_EQ(edit("ED_KodAntykradziez")->text(), QStringLiteral("K"));
    EXPECT_EQ(edit("ED_KodIAwarja")->text(), QStringLiteral("D"));
    EXPECT_EQ(edit("ED_KodKidnaper")->text(), QStringLiteral("K"));
}

TEST_F(CodeEntryTest, OnlyKAndDCanBeTypedAndAlwaysAtTheEnd)
{
    QLineEdit *e = edit("ED_KodAntykradziez");
    e->setFocus();
    QTest::keyClicks(e, QStringLiteral("kK"));
    EXPECT_EQ(e->text(), QStringLiteral("KK"));
    QTest::keyClicks(e, QStringLiteral("x1 "));
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Delete);
    EXPECT_EQ(e->text(), QStringLiteral("KK"));
    e->setCursorPosition(0);
    QTest::keyClicks(e, QStringLiteral("d"));
    EXPECT_EQ(e->text(), QStringLiteral("KKD"));
    // Pasting or any other change is undone against the code.
    e->insert(QStringLiteral("DDD"));
    EXPECT_EQ(e->text(), QStringLiteral("KKD"));
    e->selectAll();
    e->del();
    EXPECT_EQ(e->text(), QStringLiteral("KKD"));
    EXPECT_EQ(h.tabs->codeEntry().code(kSlotAntiTheft), QStringLiteral("KKD"));
}

TEST_F(CodeEntryTest, SpaceOrEnterOnAPressButtonAddsNothing)
{
    QPushButton *b = press("BITBTN_KodInst");
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(b, Qt::Key_Enter);
    EXPECT_TRUE(edit("ED_KodInst")->text().isEmpty());
}

TEST_F(CodeEntryTest, ClearingOneCodeLeavesTheOthers)
{
    h.tabs->codeEntry().setCode(kSlotProgramming, QStringLiteral("KD"));
    h.tabs->codeEntry().setCode(kSlotAntiHijack, QStringLiteral("DD"));
    h.tabs->codeEntry().setCode(kSlotAntiTheft, QStringLiteral("KKK"));
    h.tabs->codeEntry().setCode(kSlotEmergency, QStringLiteral("DKD"));
    QTest::mouseClick(press("BITBTN_ClearKodKidnaper"), Qt::LeftButton);
    EXPECT_EQ(edit("ED_KodInst")->text(), QStringLiteral("KD"));
    EXPECT_EQ(edit("ED_KodKidnaper")->text(), QString());
    EXPECT_EQ(edit("ED_KodAntykradziez")->text(), QStringLiteral("KKK"));
    EXPECT_EQ(edit("ED_KodIAwarja")->text(), QStringLiteral("DKD"));
    QTest::mouseClick(press("BITBTN_Clear3KodIAwarja"), Qt::LeftButton);
    EXPECT_EQ(edit("ED_KodIAwarja")->text(), QString());
    EXPECT_EQ(edit("ED_KodAntykradziez")->text(), QStringLiteral("KKK"));
}

TEST_F(CodeEntryTest, AStoredCodeLongerThanTwelvePressesIsShownWhole)
{
    // A code word can hold up to 15 presses; the edit must not cut what the unit stores.
    const QString stored = QStringLiteral("KKKDDDDDDDDDDDD");
    TabValues v = h.tabs->gather();
    v.programmingCode = stored;
    h.tabs->setDiagramFolder(QStringLiteral("/nonexistent"));
    try {
        h.tabs->applyFill(v);
    } catch (const FileError &) {
    }
    EXPECT_EQ(edit("ED_KodInst")->text(), stored);
    EXPECT_EQ(h.tabs->gather().programmingCode, stored);
    // But nothing more can be added to it.
    click(press("BITBTN_KodInst"), 0);
    EXPECT_EQ(edit("ED_KodInst")->text(), stored);
}

} // namespace
