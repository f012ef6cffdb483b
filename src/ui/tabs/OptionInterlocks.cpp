#include "OptionInterlocks.h"

#include "BlokadyTabs.h"
#include "Colors.h"
#include "KierunkiTab.h"
#include "RadioGroup.h"
#include "SpinEdit.h"
#include "TabBuild.h"
#include "ZamkiTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

namespace alvetra {

namespace {

// Every tab's panel has the same medium grey.
QColor panelColor(const QWidget *)
{
    return colors::clMedGray;
}

} // namespace

OptionInterlocks::OptionInterlocks(KierunkiTab &kierunki, ZamkiTab &zamki, AntykradziezTab &antykradziez,
                                   AntynapadTab &antynapad, QObject *parent)
    : QObject(parent), kierunki_(kierunki), zamki_(zamki), antykradziez_(antykradziez), antynapad_(antynapad)
{
    // toggled fires on every change of state, by a click or by the program.
    connect(kierunki_.sekwencjaOn, &QCheckBox::toggled, this, &OptionInterlocks::CKB_KierunkiSekwencjaOnClick);
    connect(zamki_.sterowanieOn, &QCheckBox::toggled, this, &OptionInterlocks::CKB_ZamekSterowanieOnClick);
    connect(zamki_.zamykaniePoStacyjce, &QCheckBox::toggled, this, &OptionInterlocks::CKB_ZamykaniePoStacyjceClick);
    connect(zamki_.dodatkowyOtworz, &QCheckBox::toggled, this, &OptionInterlocks::CKB_DodatkowyOtworzClick);
    connect(zamki_.dodatkowyZamknij1, &QCheckBox::toggled, this, &OptionInterlocks::CKB_DodatkowyZamknij1Click);
    connect(zamki_.dodatkowyZamknij2, &QCheckBox::toggled, this, &OptionInterlocks::CKB_DodatkowyZamknij2Click);
    connect(antykradziez_.antykradziez, &QCheckBox::toggled, this, &OptionInterlocks::CKB_AntykradziezClick);
    connect(antynapad_.antynapad, &QCheckBox::toggled, this, &OptionInterlocks::CKB_AntynapadClick);
}

void OptionInterlocks::CKB_KierunkiSekwencjaOnClick()
{
    kierunki_.sekwencjaWyjscie->setEnabled(kierunki_.sekwencjaOn->isChecked());
}

void OptionInterlocks::CKB_ZamekSterowanieOnClick()
{
    ZamkiTab &z = zamki_;
    const QColor panel = panelColor(z.panel);
    if (z.sterowanieOn->isChecked()) {
        for (QWidget *w : {static_cast<QWidget *>(z.ustawieniaZamka), static_cast<QWidget *>(z.czasImpulsuGlownego),
                           static_cast<QWidget *>(z.zamykaniePoStacyjceGroup),
                           static_cast<QWidget *>(z.zamykaniePoStacyjce), static_cast<QWidget *>(z.czasyZamknij),
                           static_cast<QWidget *>(z.czasyOtworz), static_cast<QWidget *>(z.dodatkowyOtworz),
                           static_cast<QWidget *>(z.dodatkowyZamknij1), static_cast<QWidget *>(z.dodatkowyZamknij2),
                           static_cast<QWidget *>(z.imOtworz), static_cast<QWidget *>(z.imZamknij)})
            w->setEnabled(true);
        // Each spin edit follows its own check box again.
        CKB_DodatkowyOtworzClick();
        CKB_DodatkowyZamknij1Click();
        CKB_DodatkowyZamknij2Click();
        CKB_ZamykaniePoStacyjceClick();
        return;
    }
    for (QWidget *w : {static_cast<QWidget *>(z.imOtworz), static_cast<QWidget *>(z.imZamknij),
                       static_cast<QWidget *>(z.ustawieniaZamka), static_cast<QWidget *>(z.czasImpulsuGlownego),
                       static_cast<QWidget *>(z.dodatkowyOtworz), static_cast<QWidget *>(z.dodatkowyZamknij1),
                       static_cast<QWidget *>(z.dodatkowyZamknij2), static_cast<QWidget *>(z.zamykaniePoStacyjce),
                       static_cast<QWidget *>(z.czasyZamknij)})
        w->setEnabled(false);
    for (SpinEdit *s : {z.przerwa1Zamknij, z.sygnal1Zamknij, z.przerwa2Zamknij, z.sygnal2Zamknij})
        setSpinUsable(s, false, panel);
    z.czasyOtworz->setEnabled(false);
    setSpinUsable(z.przerwaOtworz, false, panel);
    setSpinUsable(z.sygnalOtworz, false, panel);
    z.zamykaniePoStacyjceGroup->setEnabled(false);
    setSpinUsable(z.czasPoStacyjce, false, panel);
}

void OptionInterlocks::CKB_ZamykaniePoStacyjceClick()
{
    setSpinUsable(zamki_.czasPoStacyjce, zamki_.zamykaniePoStacyjce->isChecked(), panelColor(zamki_.panel));
}

void OptionInterlocks::CKB_DodatkowyOtworzClick()
{
    const bool on = zamki_.dodatkowyOtworz->isChecked();
    setSpinUsable(zamki_.przerwaOtworz, on, panelColor(zamki_.panel));
    setSpinUsable(zamki_.sygnalOtworz, on, panelColor(zamki_.panel));
}

void OptionInterlocks::CKB_DodatkowyZamknij1Click()
{
    const bool on = zamki_.dodatkowyZamknij1->isChecked();
    setSpinUsable(zamki_.przerwa1Zamknij, on, panelColor(zamki_.panel));
    setSpinUsable(zamki_.sygnal1Zamknij, on, panelColor(zamki_.panel));
}

void OptionInterlocks::CKB_DodatkowyZamknij2Click()
{
    const bool on = zamki_.dodatkowyZamknij2->isChecked();
    if (on) {
        // E2 follows C2 in the pulse train, so it needs C2.
        zamki_.dodatkowyZamknij1->setChecked(true);
        CKB_DodatkowyZamknij1Click();
    }
    setSpinUsable(zamki_.przerwa2Zamknij, on, panelColor(zamki_.panel));
    setSpinUsable(zamki_.sygnal2Zamknij, on, panelColor(zamki_.panel));
}

void OptionInterlocks::CKB_AntykradziezClick()
{
    AntykradziezTab &a = antykradziez_;
    const bool on = a.antykradziez->isChecked();
    setSpinUsable(a.czasZwloki, on, panelColor(a.panel));
    a.czasGroup->setEnabled(on);
    a.autoryzacja->setEnabled(on);
    a.stacyjkaGroup->setEnabled(on);
    a.stacyjkaOn->setEnabled(on);
}

void OptionInterlocks::CKB_AntynapadClick()
{
    AntynapadTab &a = antynapad_;
    const bool on = a.antynapad->isChecked();
    a.autoryzacja->setEnabled(on);
    a.czasGroup->setEnabled(on);
    setSpinUsable(a.czasZwloki, on, panelColor(a.panel));
}

} // namespace alvetra
