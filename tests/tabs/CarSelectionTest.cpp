// Choosing the car's make and model on the "CAN" tab and the CAN group it gives.

#include "ui/tabs/CarSelection.h"
#include "ui/tabs/TabBuild.h"
#include "TabsHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;

namespace {

const QColor kPanelGray(160, 160, 164);

CarRecord car(std::uint16_t key, const char *make, const char *model, std::uint8_t group)
{
    return {key, QString::fromUtf8(make), QString::fromUtf8(model), group};
}

class CarSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.pages->show();
        h.pages->setCurrentIndex(kPageCan);
        // Make 0 "Fiat" appears again after "Škoda", as a database may list it.
        cars = {car(0x0000, "Fiat", "Panda", 3),      car(0x0001, "Fiat", "Punto", 4),
                car(0x0100, "Škoda", "Fabia", 11),    car(0x0101, "Škoda", "Octavia", 12),
                car(0x0102, "Škoda", "Superb", 13),   car(0x0103, "Škoda", "Kodiaq", 14),
                car(0x0002, "Fiat", "Tipo", 5),       car(0x0103, "Škoda", "Kodiaq RS", 15)};
        h.tabs->setCarTable(cars);
        h.tabs->setMakes({QStringLiteral("Fiat"), QString::fromUtf8("Škoda"), QStringLiteral("Fiat")});
    }

    QComboBox *make() { return h.find<QComboBox>("CMB_Marka"); }
    QComboBox *model() { return h.find<QComboBox>("CMB_Model"); }
    QString group() { return h.find<QLabel>("ST_NrGrupyWybrany")->text(); }
    void choose(QComboBox *combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void tickAlarmCan() { QTest::mouseClick(h.find<QCheckBox>("CKB_AlarmCan"), Qt::LeftButton, {}, QPoint(6, 8)); }

    TabsHarness h;
    CarTable cars;
};

QStringList itemsOf(QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

TEST_F(CarSelectionTest, AtStartTheSelectionIsOffAndGivesGroupZero)
{
    EXPECT_EQ(group(), QStringLiteral("0"));
    EXPECT_FALSE(h.find<QGroupBox>("GB_WyborSamochoduCan")->isEnabled());
    EXPECT_FALSE(make()->isEnabled());
    EXPECT_EQ(comboBackground(make()), kPanelGray);
    EXPECT_EQ(comboBackground(model()), kPanelGray);
    EXPECT_EQ(h.tabs->makeCount(), 3);
}

TEST_F(CarSelectionTest, ChoosingAMakeListsItsModelsInFileOrder)
{
    tickAlarmCan();
    EXPECT_TRUE(make()->isEnabled());
    EXPECT_EQ(comboBackground(make()), windowColor());
    EXPECT_EQ(group(), QStringLiteral("       "));
    choose(make(), 0);
    EXPECT_EQ(itemsOf(model()), (QStringList{"Panda", "Punto", "Tipo"}));
    EXPECT_TRUE(model()->isEnabled());
    EXPECT_EQ(comboBackground(model()), windowColor());
    EXPECT_EQ(model()->currentIndex(), -1);
    EXPECT_EQ(group(), QStringLiteral("        "));
    // The second "Fiat" is make number 2, which has no records of its own.
    choose(make(), 2);
    EXPECT_EQ(model()->count(), 0);
}

TEST_F(CarSelectionTest, KeyGivesTheGroupAndTheLastDuplicateWins)
{
    tickAlarmCan();
    choose(make(), 1);
    ASSERT_EQ(model()->count(), 5);
    EXPECT_EQ(model()->itemText(3), QStringLiteral("Kodiaq"));   // key 0103: make 1, model 3
    choose(model(), 1);
    EXPECT_EQ(group(), QStringLiteral("12"));
    choose(model(), 3);
    EXPECT_EQ(group(), QStringLiteral("15"));
    // Model 4 ("Kodiaq RS" listed fifth) has no key of its own: the text stays.
    choose(model(), 4);
    EXPECT_EQ(group(), QStringLiteral("15"));
    choose(make(), 1);
    EXPECT_EQ(group(), QStringLiteral("        "));
}

TEST_F(CarSelectionTest, UntickingGivesZeroAndTickingAgainStartsWithoutASelection)
{
    tickAlarmCan();
    choose(make(), 1);
    choose(model(), 0);
    EXPECT_EQ(group(), QStringLiteral("11"));
    tickAlarmCan();
    EXPECT_EQ(group(), QStringLiteral("0"));
    EXPECT_EQ(make()->currentIndex(), -1);
    EXPECT_EQ(model()->currentIndex(), -1);
    EXPECT_FALSE(model()->isEnabled());
    EXPECT_EQ(h.tabs->gather().chosenCanGroup, QStringLiteral("0"));
    tickAlarmCan();
    EXPECT_EQ(make()->currentIndex(), -1);
    EXPECT_EQ(model()->currentIndex(), -1);
    EXPECT_FALSE(model()->isEnabled());
    EXPECT_EQ(comboBackground(model()), kPanelGray);
    EXPECT_EQ(group(), QStringLiteral("       "));
    EXPECT_TRUE(h.tabs->gather().alarmCan);
}

TEST_F(CarSelectionTest, ApplyingSettingsLeavesTheCarChoiceAlone)
{
    tickAlarmCan();
    choose(make(), 1);
    choose(model(), 2);
    TabValues v = h.tabs->gather();
    v.alarmCan = false;
    v.make = v.model = -1;
    v.storedCanGroup = v.chosenCanGroup = QStringLiteral("42");
    h.tabs->applyFill(v);
    EXPECT_TRUE(h.find<QCheckBox>("CKB_AlarmCan")->isChecked());
    EXPECT_EQ(make()->currentIndex(), 1);
    EXPECT_EQ(model()->currentIndex(), 2);
    EXPECT_EQ(h.find<QLabel>("ST_NrGrupy")->text(), QStringLiteral("42"));
    EXPECT_EQ(group(), QStringLiteral("42"));
}

} // namespace
