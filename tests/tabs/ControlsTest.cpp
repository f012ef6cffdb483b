// Every settings control exists where the fitters expect it, with its caption, items, range and
// initial state.

#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/SpinEdit.h"
#include "TabsHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;
using alvetra::test::ownEnabled;

namespace {

// Parent: a group's object name, or the page number of the panel the control sits on directly.
struct Parent {
    const char *group = nullptr;
    int page = -1;
};
Parent in(const char *group) { return {group, -1}; }
Parent onPanel(int page) { return {nullptr, page}; }

void expectParent(const TabsHarness &h, const QWidget *w, const Parent &parent)
{
    ASSERT_NE(w, nullptr);
    if (parent.group)
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(parent.group)) << qPrintable(w->objectName());
    else
        EXPECT_EQ(w->parentWidget(), h.panels[static_cast<std::size_t>(parent.page)]) << qPrintable(w->objectName());
}

QString u(const char *s) { return QString::fromUtf8(s); }

class ControlsTest : public ::testing::Test {
protected:
    TabsHarness h;
};

TEST_F(ControlsTest, CheckBoxesStartUncheckedWithTheirCaptionsInTheirGroups)
{
    struct Row { const char *name; Parent parent; const char *caption; bool enabled; };
    const Row rows[] = {
        {"CKB_SygnalDzwiekowyPotwierdzenie", in("GB_Potwierdzenia"), "potwierdzenie rozbrojenia i uzbrojenia sygnałem dżwiękowym", true},
        {"CKB_SygnalKierunkiPotwierdzenie", in("GB_Potwierdzenia"), "potwierdzenie rozbrojenia i uzbrojenia kierunkowskazami", true},
        {"CKB_KierunkiSekwencjaOn", in("GB_SterowanieSekwencyjneKier"), "włącz sterowanie sekwencyjne", true},
        {"CKB_ZamekSterowanieOn", onPanel(kPageCentralLocks), "sterowanie zamkiem centralnym włączone", true},
        {"CKB_DodatkowyOtworz", in("GB_CzasyOtworz"), "obecny C1", true},
        {"CKB_DodatkowyZamknij1", in("GB_CzasyZamknij"), "obecny C2", true},
        {"CKB_DodatkowyZamknij2", in("GB_CzasyZamknij"), "obecny E2", true},
        {"CKB_ZamykaniePoStacyjce", in("GB_ZamykaniePoStacyjce"), "zamykanie po stacyjce włączone", true},
        {"CKB_Antykradziez", onPanel(kPageAntiTheft), "Blokada przeciwkradzieżowa aktywna", true},
        {"CKB_AntykradziezStacyjkaOn", in("GB_AntykradziezStacyjka"), "włączenie sygnalizacji świetlnej i dźwiękowej po włączeniu stacyjki gdy blokada przeciwkradzieżowa uzbrojona", true},
        {"CKB_Antynapad", onPanel(kPageAntiHijack), "Blokada antynapadowa aktywna", true},
        {"CKB_Dozbrajanie", in("GB_PonowneUzbrajanieSystemu"), "ponowne uzbrojenie systemu po przypadkowym rozbrojeniu i nie otwarciu drzwi w ciągu 30 sek. - aktywne", true},
        {"CKB_AlarmCan", onPanel(kPageCan), "Alarm analizuje magistrale CAN", true},
        {"CKB_AlarmCanWylaczKrancowke", in("GB_PomijanieLiniiNaCan"), "alarm nie reaguje na stan wyłączników krańcowych na magistrali CAN", true},
        {"CKB_AlarmCanWylaczStacyjke", in("GB_PomijanieLiniiNaCan"), "alarm nie reaguje na stacyjkę na magistrali CAN", true},
        {"CKB_AlarmCanWylaczPilot", in("GB_PomijanieLiniiNaCan"), "alarm nie reaguje na fabrycznego pilota na magistrali CAN", true},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        auto *box = h.find<QCheckBox>(r.name);
        ASSERT_NE(box, nullptr);
        expectParent(h, box, r.parent);
        EXPECT_EQ(box->text(), u(r.caption));
        EXPECT_FALSE(box->isChecked());
        EXPECT_EQ(ownEnabled(box), r.enabled);
    }
    EXPECT_EQ(h.pages->findChildren<QCheckBox *>().size(), std::size(rows));
}

TEST_F(ControlsTest, RadioGroupsListTheirItemsInOrderWithNothingSelected)
{
    struct Row { const char *name; Parent parent; const char *title; QStringList items; int columns; bool enabled; };
    const QStringList authorisation = {u("autoryzacja kodem z przycisku"), u("autoryzacja tokenem"), u("autoryzacja kodem lub tokenem")};
    const Row rows[] = {
        {"RAG_SekwencjaWyjscie", in("GB_SterowanieSekwencyjneKier"), "Wyjście sekwencyjne kierunkowskazów",
         {u("masa ciągła na czas działania kierunkowskazów"), u("500 ms. sygnał masy na na włączenie i wyłączenie")}, 1, false},
        {"RAG_Kierunki1_2Hz", in("GB_SterowanieBezposrednieKier"), "Częstotliwość migania kieruknkowskazów",
         {u("1Hz - raz na sekundę"), u("2Hz - dwa razy na sekundę")}, 2, true},
        {"RAG_KierunkiNaprzemienne", in("GB_SterowanieBezposrednieKier"), "Tryb migania kierunkowskazów",
         {u("równoczesne miganie obu stron"), u("naprzemienne miganie strony lewej i prawej")}, 1, true},
        {"RAG_ZamekCzasImpulsuGlownego", in("PNL_PomocniczyZamki"), "Czas impulsu głównego A identycznego dla otwieraniu i zamykaniu",
         {u("A = 0.7 sekundy"), u("A = 3.0 sekundy")}, 2, true},
        {"RAG_AntykradziezAutoryzacja", onPanel(kPageAntiTheft), "Rodzaj autoryzacji", authorisation, 3, true},
        {"RAG_AntynapadAutoryzacja", onPanel(kPageAntiHijack), "Rodzaj autoryzacji", authorisation, 3, true},
        {"RAG_PrzewodKier", onPanel(kPageAntiHijack), "Blokadę antynapadową aktywuje:",
         {u("wejście alarmu drzwi kierowcy i wejście alarmu bakażnik/maska"), u("tylko wejście alarmu drzwi kierowcy")}, 1, true},
        {"RAG_Uzbrajanie5_30sek", onPanel(kPageRearming), "Czas braku reakcji na czujniki po uzbrojeniu",
         {u("5 sekund"), u("30 sekund")}, 2, true},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        auto *group = h.find<RadioGroup>(r.name);
        ASSERT_NE(group, nullptr);
        expectParent(h, group, r.parent);
        EXPECT_EQ(group->title(), u(r.title));
        EXPECT_EQ(group->items(), r.items);
        EXPECT_EQ(group->columns(), r.columns);
        EXPECT_EQ(group->itemIndex(), -1);
        EXPECT_EQ(ownEnabled(group), r.enabled);
    }
    EXPECT_EQ(h.pages->findChildren<RadioGroup *>().size(), std::size(rows));
}

TEST_F(ControlsTest, SpinEditsHaveTheirRangesInitialValuesAndTypingStates)
{
    struct Row { const char *name; Parent parent; int min; int max; int value; bool enabled; bool typing; };
    const Row rows[] = {
        {"SPE_PrzerwaOtworz", in("GB_CzasyOtworz"), 1, 255, 255, false, true},
        {"SPE_SygnalOtworz", in("GB_CzasyOtworz"), 1, 255, 255, false, true},
        {"SPE_Przerwa1Zamknij", in("GB_CzasyZamknij"), 1, 255, 255, false, true},
        {"SPE_Sygnal1Zamknij", in("GB_CzasyZamknij"), 1, 255, 255, false, true},
        {"SPE_Przerwa2Zamknij", in("GB_CzasyZamknij"), 1, 255, 255, true, false},
        {"SPE_Sygnal2Zamknij", in("GB_CzasyZamknij"), 1, 255, 255, true, false},
        {"SPE_CzasPoStacyjce", in("GB_ZamykaniePoStacyjce"), 1, 255, 255, true, true},
        {"SPE_CzasZwlokiAntykradziez", in("GB_AntykradziezCzas"), 1, 255, 255, true, true},
        {"SPE_CzasZwlokiAntynapad", in("GB_AntynapadCzas"), 30, 255, 30, true, false},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        auto *spin = h.find<SpinEdit>(r.name);
        ASSERT_NE(spin, nullptr);
        expectParent(h, spin, r.parent);
        EXPECT_EQ(spin->minimum(), r.min);
        EXPECT_EQ(spin->maximum(), r.max);
        EXPECT_EQ(spin->value(), r.value);
        EXPECT_EQ(spin->singleStep(), 1);
        EXPECT_EQ(ownEnabled(spin), r.enabled);
        EXPECT_EQ(spin->typingEnabled(), r.typing);
        EXPECT_EQ(spin->editor()->maxLength(), 3);
        // Values outside the range never show.
        spin->setValue(0);
        EXPECT_EQ(spin->value(), r.min);
        spin->setValue(1000);
        EXPECT_EQ(spin->value(), r.max);
    }
    EXPECT_EQ(h.pages->findChildren<SpinEdit *>().size(), std::size(rows));
}

TEST_F(ControlsTest, ButtonsCarryTheirCaptionsAndHints)
{
    struct Row { const char *name; const char *caption; };
    const Row rows[] = {
        {"BITBTN_ZapisHasloPC", "&Zapis"}, {"BITBTN_ZapisKody", "&Zapis"}, {"BITBTN_OdczytHasla", "&Odczyt"},
        {"BITBTN_ZapisKierunki", "&Zapis"}, {"BITBTN_OdczytKierunki", "&Odczyt"}, {"BitBtn1", "&Odczyt"},
        {"BITBTN_ZapisZamki", "&Zapis"}, {"BITBTN_OdczytZamki", "&Odczyt"},
        {"BITBTN_ZapisBlok", "&Zapis"}, {"BITBTN_OdczytBlok", "&Odczyt"},
        {"BITBTN_ZapisAntynap", "&Zapis"}, {"BITBTN_OdczytAntynap", "&Odczyt"},
        {"BITBTN_ZapisOgolne", "&Zapis"}, {"BITBTN_OdczytOgolne", "&Odczyt"},
        {"BITBTN_ZapisClearHistory", "&Kasowanie"}, {"BITBTN_OdczytHistorii", "&Odczyt"},
        {"BITBTN_ZapisCan", "&Zapis"}, {"BITBTN_ZapisCanSyg", "&Zapis"}, {"BITBTN_OdczytCan", "&Odczyt"},
        {"BITBTN_ZapisPilot", "Programowanie"}, {"BITBTN_KasPilot", "Kasowanie"},
        {"BITBTN_ZapisToken", "Programowanie"}, {"BITBTN_KasToken", "Kasowanie"},
        {"BITBTN_OdczytPilotowTokenow", "&Odczyt"},
        {"BITBTN_KodInst", ""}, {"BITBTN_KodKidnaper", ""}, {"BITBTN_KodAntykradziez", ""}, {"BITBTN_KodIAwarja", ""},
        {"BITBTN_ClearKodInst", ""}, {"BITBTN_ClearKodKidnaper", ""}, {"BITBTN_ClearKodAntykradziez", ""},
        {"BITBTN_Clear3KodIAwarja", ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        auto *button = h.find<QPushButton>(r.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), u(r.caption));
    }
    EXPECT_EQ(h.pages->findChildren<QPushButton *>().size(), std::size(rows));
    for (const char *name : {"BITBTN_KodInst", "BITBTN_ClearKodInst", "BITBTN_Clear3KodIAwarja"}) {
        auto *b = h.find<QPushButton>(name);
        EXPECT_EQ(b->size(), QSize(23, 23)) << name;
        EXPECT_EQ(b->iconSize(), QSize(16, 16)) << name;
        EXPECT_FALSE(b->icon().isNull()) << name;
    }
    EXPECT_EQ(h.find<QPushButton>("BITBTN_KodKidnaper")->toolTip(), u("16"));
    EXPECT_EQ(h.find<QPushButton>("BITBTN_ClearKodAntykradziez")->toolTip(), u("Reset kodu"));
    for (const char *name : {"BITBTN_ZapisPilot", "BITBTN_KasPilot", "BITBTN_ZapisToken", "BITBTN_KasToken"})
        EXPECT_EQ(h.find<QPushButton>(name)->width(), 105) << name;
    EXPECT_EQ(h.find<QPushButton>("BITBTN_ZapisClearHistory")->width(), 79);
}

TEST_F(ControlsTest, GroupsAndLabelsShowTheirTexts)
{
    struct Row { const char *name; const char *text; };
    const Row groups[] = {
        {"GroupBox5", "Zmiana hasła dostępu do programowania komputerem"}, {"GroupBox1", "Zmiana kodów centrali alarmowej"},
        {"GB_Potwierdzenia", "Potwierdzenia"}, {"GB_UstawieniaKierunkow", "Ustawienia kierunkowskazów"},
        {"GB_SterowanieSekwencyjneKier", "Sterowanie sekwencyjne"}, {"GB_SterowanieBezposrednieKier", "Sterowanie bezpośrednie"},
        {"GB_UstawieniaZamka", "Ustawienia zamka centralnego"}, {"GB_CzasyOtworz", "Dodatkowe impulsy otworz"},
        {"GB_CzasyZamknij", "Dodatkowe impulsy zamknij"}, {"GB_ZamykaniePoStacyjce", "Zamykanie po stacyjce"},
        {"GB_AntykradziezCzas", "Ustawianie czasu zwłoki"},
        {"GB_AntykradziezStacyjka", "Reakcja na włączenie stacyjki przy uzbrojonej blokadzie przeciwkradzieżowej"},
        {"GB_AntynapadCzas", "Ustawianie czasu zwłoki"}, {"GB_PonowneUzbrajanieSystemu", "Ponowne uzbrojenie"},
        {"GB_WyborSamochoduCan", ""}, {"GB_PomijanieLiniiNaCan", "Analiza magistrali CAN"},
        {"GroupBox11", "Programowanie"}, {"GroupBox9", "Piloty"}, {"GroupBox10", "Tokeny"},
        {"GroupBox6", "Zaprogramowane"}, {"GroupBox7", "Piloty"}, {"GroupBox8", "Tokeny"},
    };
    for (const Row &r : groups) {
        auto *g = h.find<QGroupBox>(r.name);
        ASSERT_NE(g, nullptr) << r.name;
        EXPECT_EQ(g->title(), u(r.text)) << r.name;
    }
    const Row labels[] = {
        {"LAB_Zm1HaslaDostepu", "Zmiana hasła do programowania centrali przez komputer:"},
        {"LAB_Zm2HaslaDostepu", "Powtórz haslo dostępu:"},
        {"LAB_ZmKoduProg", "Kod wejścia do programowania ręcznego przyciskiem:"},
        {"LAB_ZmKoduPorw", "Kod autoryzacji blokady antynapadowej przyciskiem:"},
        {"LAB_ZmKoduBlok", "Kod autoryzacji blokady przeciwkradzieżowej przyciskiem:"},
        {"LAB_ZmKoduAwarRozb", "Kod awaryjnego rozblokowania przyciskiem:"},
        {"LAB_Kreska", "D"}, {"LAB_OpisKreski", "oznacza wcisniecie przycisku >= 1 sek."},
        {"LAB_Kropka", "K"}, {"LAB_OpisKropki", "oznacza wcisniecie przycisku < 1 sek."},
        {"LAB_B1", "B1 ="}, {"LAB_C1", "C1 ="}, {"LAB_B2", "B2 ="}, {"LAB_C2", "C2 ="}, {"LAB_D2", "D2 ="}, {"LAB_E2", "E2 ="},
        {"LAB_OpisPrzerwaOtw", "sek. przerwa pomiędzy impulsami A i C1"},
        {"LAB_OpisSygnalOtw", "sek. czas trwania dodatkowego impulsu C1"},
        {"LAB_OpisPrzerwa1Zam", "sek. przerwa pomiędzy impulsami A i C2"},
        {"LAB_OpisSygnal1Zam", "sek. czas trwania dodatkowego impulsu C2"},
        {"LAB_OpisPrzerwa2Zam", "sek. przerwa pomiędzy impulsami C2 i E2"},
        {"LAB_OpisSygnal2Zam", "sek. czas trwania dodatkowego impulsu E2"},
        {"LAB_OpisCzasPoStac", "Czas zwłoki zamykania zamków po włączeniu stacyjki:"}, {"LAB_JedPoStac", "sek."},
        {"LAB_OpisCzasZwlokiBlok", "Czas po kórym blokada przeciwkradzieżowa uzbraja się automatycznie po wyłączeniu stacyjki:"},
        {"LAB_JedCzasZwlokiBlok", "sek."},
        {"LAB_OpisCzasZwlokiAntynap", "Czas do rozpoczęcia sygnalizacji blokady antynapadowej po otwarciu drzwi:"},
        {"LAB_JedCzasZwlokiAntynap", "sek."},
        {"LAB_Marka", "Wybierz markę:"}, {"LAB_Model", "Wybierz model:"},
        {"LAB_GrupaWybrana", "Numer grupy wybranego samochodu:"}, {"LAB_Grupa", "Odczytany numer grupy:"},
        {"ST_NrGrupy", "        "},
        {"LAB_UwagaHasla", ""}, {"LAB_OpisZwlokiAntynapad", ""},
        {"Pilot1", ""}, {"Pilot4", ""}, {"Token1", ""}, {"Token4", ""},
    };
    for (const Row &r : labels) {
        auto *l = h.find<QLabel>(r.name);
        ASSERT_NE(l, nullptr) << r.name;
        EXPECT_EQ(l->text(), u(r.text)) << r.name;
    }
    for (const char *name : {"LAB_Zm1HaslaDostepu", "LAB_ZmKoduProg", "LAB_ZmKoduAwarRozb"})
        EXPECT_TRUE(h.find<QLabel>(name)->alignment() & Qt::AlignRight) << name;
    EXPECT_EQ(h.find<QLabel>("ST_NrGrupy")->size(), QSize(33, 18));
    EXPECT_EQ(h.find<QLabel>("ST_NrGrupyWybrany")->size(), QSize(33, 18));
}

TEST_F(ControlsTest, EditsListsAndImagesHaveTheirSizesAndLimits)
{
    for (const char *name : {"ED_KodProg1", "ED_KodProg2"}) {
        auto *e = h.find<QLineEdit>(name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->maxLength(), 4) << name;
        EXPECT_EQ(e->echoMode(), QLineEdit::Password) << name;
    }
    for (const char *name : {"ED_KodInst", "ED_KodKidnaper", "ED_KodAntykradziez", "ED_KodIAwarja"}) {
        auto *e = h.find<QLineEdit>(name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->width(), 115) << name;
        EXPECT_EQ(e->font().pixelSize(), 12) << name;
        EXPECT_TRUE(e->text().isEmpty()) << name;
    }
    EXPECT_EQ(h.find<QLabel>("IM_Otworz")->size(), QSize(146, 28));
    EXPECT_EQ(h.find<QLabel>("IM_Zamknij")->size(), QSize(241, 28));
    EXPECT_FALSE(h.find<QLabel>("IM_Otworz")->hasScaledContents());

    auto *list = h.find<QTableWidget>("LV_Historia");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->width(), 695);
    ASSERT_EQ(list->columnCount(), 3);
    const int widths[] = {27, 120, 544};
    const char *headers[] = {"Lp.", "Przybliżony czas", "Rodzaj zdarzenia"};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(list->horizontalHeaderItem(c)->text(), u(headers[c]));
        EXPECT_EQ(list->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(list->rowCount(), 0);

    auto *make = h.find<QComboBox>("CMB_Marka");
    auto *model = h.find<QComboBox>("CMB_Model");
    ASSERT_TRUE(make && model);
    EXPECT_EQ(make->width(), 220);
    EXPECT_EQ(model->width(), 365);
    EXPECT_EQ(make->count(), 0);
    EXPECT_EQ(model->count(), 0);
}

TEST_F(ControlsTest, CanAnalysisOptionsStayHiddenUntilAFamilyHasThem)
{
    h.pages->show();
    h.pages->setCurrentIndex(kPageCan);
    auto *group = h.find<QGroupBox>("GB_PomijanieLiniiNaCan");
    auto *button = h.find<QPushButton>("BITBTN_ZapisCanSyg");
    EXPECT_FALSE(group->isVisible());
    EXPECT_FALSE(button->isVisible());
    h.tabs->showCanAnalysis(true);
    EXPECT_TRUE(group->isVisible());
    EXPECT_TRUE(button->isVisible());
    h.tabs->showCanAnalysis(false);
    EXPECT_FALSE(group->isVisible());
    EXPECT_FALSE(button->isVisible());
}

TEST_F(ControlsTest, LockTabCaptionsAreRedAndBlueAndRowLabelsBold)
{
    const QColor red(255, 0, 0), blue(0, 0, 255);
    auto textColor = [&](const char *name) { return h.find<QWidget>(name)->palette().color(QPalette::WindowText); };
    for (const char *name : {"GB_CzasyOtworz", "LAB_B1", "LAB_C1", "LAB_OpisSygnalOtw", "GB_CzasyZamknij", "LAB_B2",
                             "LAB_C2", "LAB_OpisPrzerwa1Zam", "CKB_DodatkowyZamknij1", "CKB_DodatkowyOtworz"})
        EXPECT_EQ(textColor(name), red) << name;
    for (const char *name : {"CKB_DodatkowyZamknij2", "LAB_D2", "LAB_E2", "LAB_OpisPrzerwa2Zam", "LAB_OpisSygnal2Zam"})
        EXPECT_EQ(textColor(name), blue) << name;
    for (const char *name : {"LAB_B1", "LAB_C1", "LAB_B2", "LAB_C2", "LAB_D2", "LAB_E2"}) {
        const QFont f = h.find<QLabel>(name)->font();
        EXPECT_TRUE(f.bold()) << name;
        EXPECT_EQ(f.pixelSize(), 16) << name;
    }
    EXPECT_TRUE(h.find<QLabel>("LAB_Kreska")->font().bold());
    EXPECT_EQ(h.find<QLabel>("LAB_Kreska")->font().pixelSize(), 13);
}

} // namespace

namespace {

TEST(SpinEditTyping, TypingOffLeavesTheArrowsWorkingAndTypingOnTakesThreeCharacters)
{
    TabsHarness h;
    h.pages->show();
    h.pages->setCurrentIndex(kPageAntiHijack);
    auto *spin = h.find<SpinEdit>("SPE_CzasZwlokiAntynapad");
    spin->setFocus();
    QTest::keyClicks(spin, QStringLiteral("99"));
    EXPECT_EQ(spin->value(), 30);
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 32);
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->value(), 31);

    h.pages->setCurrentIndex(kPageCentralLocks);
    auto *typed = h.find<SpinEdit>("SPE_CzasPoStacyjce");
    typed->setFocus();
    typed->editor()->selectAll();
    QTest::keyClicks(typed, QStringLiteral("1234"));
    EXPECT_EQ(typed->editor()->text(), QStringLiteral("123"));
    EXPECT_EQ(typed->value(), 123);
}

} // namespace
