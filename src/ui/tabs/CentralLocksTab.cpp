#include "ui/tabs/CentralLocksTab.h"

#include "ui/tabs/LockDiagramArt.h"
#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/SpinEdit.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/TabTexts.h"
#include "ui/widgets/Colors.h"
#include "alarm/TabValues.h"

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

CentralLocksTab::CentralLocksTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    centralLock = build::checkBox(panel, QStringLiteral("CKB_ZamekSterowanieOn"), t::kZamekSterowanieOn);
    page->addWidget(centralLock);

    lockSettings = build::groupBox(panel, QStringLiteral("GB_UstawieniaZamka"), t::kGbUstawieniaZamka);
    auto *settingsLayout = build::groupVBox(lockSettings, 2);

    mainPulsePanel = new QFrame(lockSettings);
    mainPulsePanel->setObjectName(QStringLiteral("PNL_PomocniczyZamki"));
    auto *mainPulseLayout = build::vbox(mainPulsePanel, 1, 0);
    mainPulseLength = new RadioGroup(t::kMainPulseLengthTitle, t::kMainPulseLengthItems, 2, mainPulsePanel);
    mainPulseLength->setObjectName(QStringLiteral("RAG_ZamekCzasImpulsuGlownego"));
    mainPulseLayout->addWidget(mainPulseLength);
    settingsLayout->addWidget(mainPulsePanel);

    auto *pulses = new QHBoxLayout;
    pulses->setSpacing(6);

    openPulses = build::groupBox(lockSettings, QStringLiteral("GB_CzasyOtworz"), t::kGbCzasyOtworz);
    build::setTextColor(openPulses, colors::clRed);
    auto *openLayout = build::groupVBox(openPulses, 2);
    extraOpenPulse = build::checkBox(openPulses, QStringLiteral("CKB_DodatkowyOtworz"), t::kC1PresentCaption);
    openDiagram = diagramImage(openPulses, QStringLiteral("IM_Otworz"), kOpenDiagramWidth, kDiagramHeight);
    // The check box beside the diagram, to fit the tab's height.
    auto *openingTop = new QHBoxLayout;
    openingTop->addWidget(extraOpenPulse, 0, Qt::AlignTop);
    openingTop->addStretch(1);
    openingTop->addWidget(openDiagram);
    openLayout->addLayout(openingTop);
    auto *openGrid = rowsGrid();
    pauseAC1 = pulseRow(openGrid, 0, openPulses, "LAB_B1", t::kB1, "SPE_PrzerwaOtworz", "LAB_OpisPrzerwaOtw",
                             t::kOpisPrzerwaOtw);
    pulseC1 = pulseRow(openGrid, 1, openPulses, "LAB_C1", t::kC1, "SPE_SygnalOtworz", "LAB_OpisSygnalOtw",
                            t::kOpisSygnalOtw);
    openLayout->addLayout(openGrid);
    openLayout->addStretch(1);
    pulses->addWidget(openPulses, 1);

    closePulses = build::groupBox(lockSettings, QStringLiteral("GB_CzasyZamknij"), t::kGbCzasyZamknij);
    build::setTextColor(closePulses, colors::clRed);
    auto *closeLayout = build::groupVBox(closePulses, 2);
    extraClosePulse1 = build::checkBox(closePulses, QStringLiteral("CKB_DodatkowyZamknij1"), t::kC2PresentCaption);
    extraClosePulse2 = build::checkBox(closePulses, QStringLiteral("CKB_DodatkowyZamknij2"), t::kE2PresentCaption);
    build::setTextColor(extraClosePulse2, colors::clBlue);
    closeDiagram = diagramImage(closePulses, QStringLiteral("IM_Zamknij"), kCloseDiagramWidth, kDiagramHeight);
    auto *checks = new QVBoxLayout;
    checks->setSpacing(0);
    checks->addWidget(extraClosePulse1);
    checks->addWidget(extraClosePulse2);
    auto *closingTop = new QHBoxLayout;
    closingTop->addLayout(checks);
    closingTop->addStretch(1);
    closingTop->addWidget(closeDiagram, 0, Qt::AlignTop);
    closeLayout->addLayout(closingTop);
    auto *closeGrid = rowsGrid();
    pauseAC2 = pulseRow(closeGrid, 0, closePulses, "LAB_B2", t::kB2, "SPE_Przerwa1Zamknij", "LAB_OpisPrzerwa1Zam",
                               t::kOpisPrzerwa1Zam);
    pulseC2 = pulseRow(closeGrid, 1, closePulses, "LAB_C2", t::kC2, "SPE_Sygnal1Zamknij", "LAB_OpisSygnal1Zam",
                              t::kOpisSygnal1Zam);
    pauseC2E2 = pulseRow(closeGrid, 2, closePulses, "LAB_D2", t::kD2, "SPE_Przerwa2Zamknij", "LAB_OpisPrzerwa2Zam",
                               t::kOpisPrzerwa2Zam, &colors::clBlue);
    pulseE2 = pulseRow(closeGrid, 3, closePulses, "LAB_E2", t::kE2, "SPE_Sygnal2Zamknij", "LAB_OpisSygnal2Zam",
                              t::kOpisSygnal2Zam, &colors::clBlue);
    closeLayout->addLayout(closeGrid);
    closeLayout->addStretch(1);
    pulses->addWidget(closePulses, 1);
    settingsLayout->addLayout(pulses);

    lockAfterIgnitionGroup =
        build::groupBox(lockSettings, QStringLiteral("GB_ZamykaniePoStacyjce"), t::kGbZamykaniePoStacyjce);
    auto *ignitionLayout = build::groupHBox(lockAfterIgnitionGroup, 4);
    lockAfterIgnition =
        build::checkBox(lockAfterIgnitionGroup, QStringLiteral("CKB_ZamykaniePoStacyjce"), t::kZamykaniePoStacyjce);
    ignitionLayout->addWidget(lockAfterIgnition);
    ignitionLayout->addSpacing(16);
    ignitionLayout->addWidget(build::label(lockAfterIgnitionGroup, QStringLiteral("LAB_OpisCzasPoStac"), t::kOpisCzasPoStac));
    lockDelayAfterIgnition = build::spinEdit(lockAfterIgnitionGroup, QStringLiteral("SPE_CzasPoStacyjce"), kSpinMin,
                                     kSpinMax, 255);
    ignitionLayout->addWidget(lockDelayAfterIgnition);
    ignitionLayout->addWidget(build::label(lockAfterIgnitionGroup, QStringLiteral("LAB_JedPoStac"), t::kSecondsUnit));
    ignitionLayout->addStretch(1);
    settingsLayout->addWidget(lockAfterIgnitionGroup);
    page->addWidget(lockSettings);

    // The pictures shown until the first diagram file is read: the plain overviews.
    openDiagram->setPixmap(QPixmap::fromImage(lockdiagram::opening(1)));
    closeDiagram->setPixmap(QPixmap::fromImage(lockdiagram::closing(1)));

    // Initial states of the form; the interlocks take over once settings are applied.
    pauseAC1->setEnabled(false);
    pulseC1->setEnabled(false);
    pauseAC2->setEnabled(false);
    pulseC2->setEnabled(false);
    pauseC2E2->setTypingEnabled(false);
    pulseE2->setTypingEnabled(false);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisZamki"), t::kWriteCaption),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytZamki"), t::kReadCaption)));
}

} // namespace alvetra
