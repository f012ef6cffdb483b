// A function's check box makes the controls of its details usable or unusable.

#include "ui/tabs/OptionInterlocks.h"
#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/SpinEdit.h"
#include "TabsHarness.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;
using alvetra::test::ownEnabled;

namespace {

const QColor kPanelGray(160, 160, 164);

class InterlocksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.pages->show();
    }

    QCheckBox *box(const char *name) { return h.find<QCheckBox>(name); }
    SpinEdit *spin(const char *name) { return h.find<SpinEdit>(name); }

    // Usable: enabled and reachable, typing on, window background.
    ::testing::AssertionResult usable(const char *name)
    {
        SpinEdit *s = spin(name);
        if (s->isEnabled() && s->typingEnabled() && s->background() == windowColor())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << name << " enabled=" << s->isEnabled() << " typing=" << s->typingEnabled()
                                             << " background=" << qPrintable(s->background().name());
    }
    ::testing::AssertionResult unusable(const char *name)
    {
        SpinEdit *s = spin(name);
        if (!ownEnabled(s) && !s->typingEnabled() && s->background() == kPanelGray)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << name << " own enabled=" << ownEnabled(s) << " typing=" << s->typingEnabled()
                                             << " background=" << qPrintable(s->background().name());
    }

    void clickBox(const char *name) { QTest::mouseClick(box(name), Qt::LeftButton, {}, QPoint(6, box(name)->height() / 2)); }

    TabsHarness h;
};

TEST_F(InterlocksTest, MasterOffAndOnAgainRestoresEachLockSpinEditToItsOwnBox)
{
    h.pages->setCurrentIndex(kPageCentralLocks);
    clickBox("CKB_ZamekSterowanieOn");
    ASSERT_TRUE(box("CKB_ZamekSterowanieOn")->isChecked());
    clickBox("CKB_DodatkowyOtworz");          // C1 on
    clickBox("CKB_DodatkowyZamknij1");        // C2 on, E2 stays off
    EXPECT_TRUE(usable("SPE_PrzerwaOtworz"));
    EXPECT_TRUE(usable("SPE_Sygnal1Zamknij"));
    EXPECT_TRUE(unusable("SPE_Sygnal2Zamknij"));
    EXPECT_TRUE(unusable("SPE_CzasPoStacyjce"));

    clickBox("CKB_ZamekSterowanieOn");       // master off: everything unusable
    for (const char *name : {"SPE_PrzerwaOtworz", "SPE_SygnalOtworz", "SPE_Przerwa1Zamknij", "SPE_Sygnal1Zamknij",
                             "SPE_Przerwa2Zamknij", "SPE_Sygnal2Zamknij", "SPE_CzasPoStacyjce"})
        EXPECT_TRUE(unusable(name));
    for (const char *name : {"CKB_DodatkowyOtworz", "CKB_DodatkowyZamknij1", "CKB_DodatkowyZamknij2", "CKB_ZamykaniePoStacyjce"})
        EXPECT_FALSE(box(name)->isEnabled()) << name;
    EXPECT_FALSE(h.find<QWidget>("GB_UstawieniaZamka")->isEnabled());
    EXPECT_FALSE(h.find<QWidget>("IM_Otworz")->isEnabled());
    // The dependent boxes keep their states.
    EXPECT_TRUE(box("CKB_DodatkowyOtworz")->isChecked());
    EXPECT_TRUE(box("CKB_DodatkowyZamknij1")->isChecked());

    clickBox("CKB_ZamekSterowanieOn");       // master on: each follows its own box again
    EXPECT_TRUE(usable("SPE_PrzerwaOtworz"));
    EXPECT_TRUE(usable("SPE_SygnalOtworz"));
    EXPECT_TRUE(usable("SPE_Przerwa1Zamknij"));
    EXPECT_TRUE(usable("SPE_Sygnal1Zamknij"));
    EXPECT_TRUE(unusable("SPE_Przerwa2Zamknij"));
    EXPECT_TRUE(unusable("SPE_Sygnal2Zamknij"));
    EXPECT_TRUE(unusable("SPE_CzasPoStacyjce"));
    EXPECT_TRUE(h.find<QWidget>("RAG_ZamekCzasImpulsuGlownego")->isEnabled());
    EXPECT_TRUE(h.find<QWidget>("IM_Zamknij")->isEnabled());
}

TEST_F(InterlocksTest, E2ChecksC2ButUncheckingC2LeavesE2)
{
    h.pages->setCurrentIndex(kPageCentralLocks);
    clickBox("CKB_ZamekSterowanieOn");
    clickBox("CKB_DodatkowyZamknij2");
    EXPECT_TRUE(box("CKB_DodatkowyZamknij1")->isChecked());
    for (const char *name : {"SPE_Przerwa1Zamknij", "SPE_Sygnal1Zamknij", "SPE_Przerwa2Zamknij", "SPE_Sygnal2Zamknij"})
        EXPECT_TRUE(usable(name));
    clickBox("CKB_DodatkowyZamknij1");
    EXPECT_FALSE(box("CKB_DodatkowyZamknij1")->isChecked());
    EXPECT_TRUE(box("CKB_DodatkowyZamknij2")->isChecked());
    EXPECT_TRUE(unusable("SPE_Przerwa1Zamknij"));
    EXPECT_TRUE(unusable("SPE_Sygnal1Zamknij"));
    EXPECT_TRUE(usable("SPE_Przerwa2Zamknij"));
    EXPECT_TRUE(usable("SPE_Sygnal2Zamknij"));
}

TEST_F(InterlocksTest, ClosingAfterIgnitionAndTheTurnSignalSequence)
{
    h.pages->setCurrentIndex(kPageCentralLocks);
    clickBox("CKB_ZamekSterowanieOn");
    clickBox("CKB_ZamykaniePoStacyjce");
    EXPECT_TRUE(usable("SPE_CzasPoStacyjce"));
    clickBox("CKB_ZamykaniePoStacyjce");
    EXPECT_TRUE(unusable("SPE_CzasPoStacyjce"));

    h.pages->setCurrentIndex(kPageTurnSignals);
    auto *output = h.find<RadioGroup>("RAG_SekwencjaWyjscie");
    EXPECT_FALSE(output->isEnabled());
    clickBox("CKB_KierunkiSekwencjaOn");
    EXPECT_TRUE(output->isEnabled());
    // A change by the program runs the rule as a click does.
    box("CKB_KierunkiSekwencjaOn")->setChecked(false);
    EXPECT_FALSE(output->isEnabled());
}

TEST_F(InterlocksTest, AntiTheftSwitchesItsDetails)
{
    h.pages->setCurrentIndex(kPageAntiTheft);
    clickBox("CKB_Antykradziez");
    EXPECT_TRUE(usable("SPE_CzasZwlokiAntykradziez"));
    EXPECT_TRUE(h.find<QWidget>("RAG_AntykradziezAutoryzacja")->isEnabled());
    EXPECT_TRUE(box("CKB_AntykradziezStacyjkaOn")->isEnabled());
    clickBox("CKB_Antykradziez");
    EXPECT_TRUE(unusable("SPE_CzasZwlokiAntykradziez"));
    for (const char *name : {"RAG_AntykradziezAutoryzacja", "GB_AntykradziezCzas", "GB_AntykradziezStacyjka"})
        EXPECT_FALSE(ownEnabled(h.find<QWidget>(name))) << name;
    EXPECT_FALSE(ownEnabled(box("CKB_AntykradziezStacyjkaOn")));
}

TEST_F(InterlocksTest, AntiHijackLeavesTheDoorInputChoiceUsable)
{
    h.pages->setCurrentIndex(kPageAntiHijack);
    clickBox("CKB_Antynapad");
    EXPECT_TRUE(usable("SPE_CzasZwlokiAntynapad"));
    clickBox("CKB_Antynapad");
    EXPECT_TRUE(unusable("SPE_CzasZwlokiAntynapad"));
    EXPECT_FALSE(ownEnabled(h.find<QWidget>("RAG_AntynapadAutoryzacja")));
    EXPECT_FALSE(ownEnabled(h.find<QWidget>("GB_AntynapadCzas")));
    EXPECT_TRUE(h.find<QWidget>("RAG_PrzewodKier")->isEnabled());
    // Unusable spin edits still never go below their minimum.
    EXPECT_EQ(spin("SPE_CzasZwlokiAntynapad")->value(), 30);
}

TEST_F(InterlocksTest, ApplyingSettingsRunsTheRulesEvenWithoutAChangeOfState)
{
    // Before any settings, D2/E2 are enabled with typing off (the form's state); applying
    // settings with E2 off must make them unusable although no box changed state.
    TabValues v = h.tabs->gather();
    h.tabs->applyFill(v);
    EXPECT_TRUE(unusable("SPE_Przerwa2Zamknij"));
    EXPECT_TRUE(unusable("SPE_Sygnal2Zamknij"));
    EXPECT_TRUE(unusable("SPE_CzasZwlokiAntynapad"));
    EXPECT_FALSE(ownEnabled(h.find<QWidget>("RAG_SekwencjaWyjscie")));

    // With the master box off, the pulse boxes' own rules make nothing usable in the end.
    v.centralLock = false;
    v.extraOpenPulse = true;
    v.extraClosePulse2 = true;
    v.lockAfterIgnition = true;
    h.tabs->applyFill(v);
    for (const char *name : {"SPE_PrzerwaOtworz", "SPE_Sygnal1Zamknij", "SPE_Sygnal2Zamknij", "SPE_CzasPoStacyjce"})
        EXPECT_TRUE(unusable(name));
    EXPECT_TRUE(box("CKB_DodatkowyZamknij1")->isChecked());

    v.centralLock = true;
    h.tabs->applyFill(v);
    for (const char *name : {"SPE_PrzerwaOtworz", "SPE_Sygnal1Zamknij", "SPE_Sygnal2Zamknij", "SPE_CzasPoStacyjce"})
        EXPECT_TRUE(usable(name));
}

} // namespace
