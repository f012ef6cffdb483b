#include "ZamkiTab.h"

#include "LockDiagramArt.h"
#include "RadioGroup.h"
#include "SpinEdit.h"
#include "TabBuild.h"
#include "TabTexts.h"
#include "Colors.h"
#include "TabValues.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace alvetra {

namespace {

QLabel *diagramImage(QWidget *parent, const QString &name, int width, int height)
{
    auto *image = new QLabel(parent);
    image->setObjectName(name);
    image->setFixedSize(width, height);
    // The picture is neither stretched nor centred.
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setScaledContents(false);
    return image;
}

// One row "B1 = [spin] sek. ..." of a pulse group.
SpinEdit *pulseRow(QGridLayout *grid, int row, QWidget *group, const char *rowLabel, const QString &rowText,
                   const char *spinName, const char *descName, const QString &descText,
                   const QColor *rowColor = nullptr)
{
    auto *l = build::label(group, QString::fromLatin1(rowLabel), rowText);
    l->setFont(build::arial(l, 16, true));
    auto *spin = build::spinEdit(group, QString::fromLatin1(spinName), kSpinMin, kSpinMax, 255);
    auto *desc = build::label(group, QString::fromLatin1(descName), descText);
    if (rowColor) {
        build::setTextColor(l, *rowColor);
        build::setTextColor(spin, *rowColor);
        build::setTextColor(desc, *rowColor);
    }
    grid->addWidget(l, row, 0);
    grid->addWidget(spin, row, 1);
    grid->addWidget(desc, row, 2);
    return spin;
}

QGridLayout *rowsGrid()
{
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(2, 1);
    return grid;
}

} // namespace

ZamkiTab::ZamkiTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    sterowanieOn = build::checkBox(panel, QStringLiteral("CKB_ZamekSterowanieOn"), t::kZamekSterowanieOn);
    page->addWidget(sterowanieOn);

    ustawieniaZamka = build::groupBox(panel, QStringLiteral("GB_UstawieniaZamka"), t::kGbUstawieniaZamka);
    auto *ul = build::groupVBox(ustawieniaZamka, 2);

    pomocniczyZamki = new QFrame(ustawieniaZamka);
    pomocniczyZamki->setObjectName(QStringLiteral("PNL_PomocniczyZamki"));
    auto *pl = build::vbox(pomocniczyZamki, 1, 0);
    czasImpulsuGlownego = new RadioGroup(t::kCzasImpulsuGlownego, t::kCzasImpulsuGlownegoItems, 2, pomocniczyZamki);
    czasImpulsuGlownego->setObjectName(QStringLiteral("RAG_ZamekCzasImpulsuGlownego"));
    pl->addWidget(czasImpulsuGlownego);
    ul->addWidget(pomocniczyZamki);

    auto *pulses = new QHBoxLayout;
    pulses->setSpacing(6);

    czasyOtworz = build::groupBox(ustawieniaZamka, QStringLiteral("GB_CzasyOtworz"), t::kGbCzasyOtworz);
    build::setTextColor(czasyOtworz, colors::clRed);
    auto *ol = build::groupVBox(czasyOtworz, 2);
    dodatkowyOtworz = build::checkBox(czasyOtworz, QStringLiteral("CKB_DodatkowyOtworz"), t::kObecnyC1);
    imOtworz = diagramImage(czasyOtworz, QStringLiteral("IM_Otworz"), kOtworzWidth, kDiagramHeight);
    // The check box beside the diagram, to fit the tab's height.
    auto *openingTop = new QHBoxLayout;
    openingTop->addWidget(dodatkowyOtworz, 0, Qt::AlignTop);
    openingTop->addStretch(1);
    openingTop->addWidget(imOtworz);
    ol->addLayout(openingTop);
    auto *og = rowsGrid();
    przerwaOtworz = pulseRow(og, 0, czasyOtworz, "LAB_B1", t::kB1, "SPE_PrzerwaOtworz", "LAB_OpisPrzerwaOtw",
                             t::kOpisPrzerwaOtw);
    sygnalOtworz = pulseRow(og, 1, czasyOtworz, "LAB_C1", t::kC1, "SPE_SygnalOtworz", "LAB_OpisSygnalOtw",
                            t::kOpisSygnalOtw);
    ol->addLayout(og);
    ol->addStretch(1);
    pulses->addWidget(czasyOtworz, 1);

    czasyZamknij = build::groupBox(ustawieniaZamka, QStringLiteral("GB_CzasyZamknij"), t::kGbCzasyZamknij);
    build::setTextColor(czasyZamknij, colors::clRed);
    auto *zl = build::groupVBox(czasyZamknij, 2);
    dodatkowyZamknij1 = build::checkBox(czasyZamknij, QStringLiteral("CKB_DodatkowyZamknij1"), t::kObecnyC2);
    dodatkowyZamknij2 = build::checkBox(czasyZamknij, QStringLiteral("CKB_DodatkowyZamknij2"), t::kObecnyE2);
    build::setTextColor(dodatkowyZamknij2, colors::clBlue);
    imZamknij = diagramImage(czasyZamknij, QStringLiteral("IM_Zamknij"), kZamknijWidth, kDiagramHeight);
    auto *checks = new QVBoxLayout;
    checks->setSpacing(0);
    checks->addWidget(dodatkowyZamknij1);
    checks->addWidget(dodatkowyZamknij2);
    auto *closingTop = new QHBoxLayout;
    closingTop->addLayout(checks);
    closingTop->addStretch(1);
    closingTop->addWidget(imZamknij, 0, Qt::AlignTop);
    zl->addLayout(closingTop);
    auto *zg = rowsGrid();
    przerwa1Zamknij = pulseRow(zg, 0, czasyZamknij, "LAB_B2", t::kB2, "SPE_Przerwa1Zamknij", "LAB_OpisPrzerwa1Zam",
                               t::kOpisPrzerwa1Zam);
    sygnal1Zamknij = pulseRow(zg, 1, czasyZamknij, "LAB_C2", t::kC2, "SPE_Sygnal1Zamknij", "LAB_OpisSygnal1Zam",
                              t::kOpisSygnal1Zam);
    przerwa2Zamknij = pulseRow(zg, 2, czasyZamknij, "LAB_D2", t::kD2, "SPE_Przerwa2Zamknij", "LAB_OpisPrzerwa2Zam",
                               t::kOpisPrzerwa2Zam, &colors::clBlue);
    sygnal2Zamknij = pulseRow(zg, 3, czasyZamknij, "LAB_E2", t::kE2, "SPE_Sygnal2Zamknij", "LAB_OpisSygnal2Zam",
                              t::kOpisSygnal2Zam, &colors::clBlue);
    zl->addLayout(zg);
    zl->addStretch(1);
    pulses->addWidget(czasyZamknij, 1);
    ul->addLayout(pulses);

    zamykaniePoStacyjceGroup =
        build::groupBox(ustawieniaZamka, QStringLiteral("GB_ZamykaniePoStacyjce"), t::kGbZamykaniePoStacyjce);
    auto *sl = build::groupHBox(zamykaniePoStacyjceGroup, 4);
    zamykaniePoStacyjce =
        build::checkBox(zamykaniePoStacyjceGroup, QStringLiteral("CKB_ZamykaniePoStacyjce"), t::kZamykaniePoStacyjce);
    sl->addWidget(zamykaniePoStacyjce);
    sl->addSpacing(16);
    sl->addWidget(build::label(zamykaniePoStacyjceGroup, QStringLiteral("LAB_OpisCzasPoStac"), t::kOpisCzasPoStac));
    czasPoStacyjce = build::spinEdit(zamykaniePoStacyjceGroup, QStringLiteral("SPE_CzasPoStacyjce"), kSpinMin,
                                     kSpinMax, 255);
    sl->addWidget(czasPoStacyjce);
    sl->addWidget(build::label(zamykaniePoStacyjceGroup, QStringLiteral("LAB_JedPoStac"), t::kSek));
    sl->addStretch(1);
    ul->addWidget(zamykaniePoStacyjceGroup);
    page->addWidget(ustawieniaZamka);

    // The pictures shown until the first diagram file is read: the plain overviews.
    imOtworz->setPixmap(QPixmap::fromImage(lockdiagram::opening(1)));
    imZamknij->setPixmap(QPixmap::fromImage(lockdiagram::closing(1)));

    // Initial states of the form; the interlocks take over once settings are applied.
    przerwaOtworz->setEnabled(false);
    sygnalOtworz->setEnabled(false);
    przerwa1Zamknij->setEnabled(false);
    sygnal1Zamknij->setEnabled(false);
    przerwa2Zamknij->setTypingEnabled(false);
    sygnal2Zamknij->setTypingEnabled(false);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisZamki"), t::kZapis),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytZamki"), t::kOdczyt)));
}

} // namespace alvetra
