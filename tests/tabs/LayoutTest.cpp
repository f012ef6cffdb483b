// Every tab fits the page control's client area of the main window: nothing cut off, nothing
// squeezed below its size, no two controls on top of each other. With ALVETRA_TAB_SHOTS set to a
// folder, a picture of every tab is saved there for a look.

#include "TabsHarness.h"

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;

namespace {

// The page control of the 741 x 508 window: what is left under the tool bar, the connection
// panel and the status bar.
constexpr QSize kPageControl(737, 399);

QString describe(const QWidget *w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
}

void expectFits(const QWidget *parent, int page)
{
    if (parent->inherits("QAbstractSpinBox") || parent->inherits("QComboBox") || parent->inherits("QAbstractScrollArea"))
        return;   // their inner parts are theirs to arrange
    std::vector<const QWidget *> shown;
    for (const QObject *o : parent->children()) {
        const auto *w = qobject_cast<const QWidget *>(o);
        if (!w || !w->isVisible() || w->isWindow())
            continue;
        // The second read button deliberately lies over the first.
        if (w->objectName() == QLatin1String("BitBtn1"))
            continue;
        shown.push_back(w);
        EXPECT_TRUE(parent->rect().contains(w->geometry()))
            << "page " << page << ": " << qPrintable(describe(w)) << " cut off by " << qPrintable(describe(parent));
        // A dimension fixed by design (a 23 x 23 glyph button, a 79-pixel button) is not squeezed.
        const QSize least = w->minimumSizeHint();
        if (least.isValid() && !w->inherits("QAbstractScrollArea")) {
            if (w->minimumWidth() != w->maximumWidth()) {
                EXPECT_GE(w->width(), least.width()) << "page " << page << ": " << qPrintable(describe(w)) << " squeezed";
            }
            if (w->minimumHeight() != w->maximumHeight()) {
                EXPECT_GE(w->height(), least.height()) << "page " << page << ": " << qPrintable(describe(w)) << " squeezed";
            }
        }
        expectFits(w, page);
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << "page " << page << ": " << qPrintable(describe(shown[i])) << " overlaps "
                << qPrintable(describe(shown[j]));
}

TEST(Layout, EveryTabFitsThePageControlWithNothingCutOffOrOverlapping)
{
    TabsHarness h;
    h.tabs->showCanAnalysis(true);   // the fullest "CAN" tab
    // The two notes the window writes at start-up, in their full length.
    h.find<QLabel>("LAB_UwagaHasla")->setText(QString::fromUtf8(
        "Uwaga. Kody można wprowadzać klikając lewą myszą krótko i długo\n"
        "na przycisk z czerwoną kropką, lub wpisując litery \"k\" lub \"d\"\n"
        "oznaczające odpowiednio krótkie i długie przyciśnięcie"));
    h.find<QLabel>("LAB_OpisZwlokiAntynapad")->setText(QString::fromUtf8(
        "Po czasie zwłoki rozpoczyna się procedura przypominająca o konieczności autoryzacji, a następnie "
        "włącza się syrena na 30 sekund\ni światła awaryjne do autoryzowania blokady. Pojazd nie zostaje "
        "zatrzymany, natomiast po wyłączeniu stacyjki niemożliwe jest\njego ponowne uruchomienie. Ponowne "
        "włączenie stacyjki włącza syrnę na 30 sekund."));
    h.pages->resize(kPageControl);
    h.pages->show();
    const QString shots = qEnvironmentVariable("ALVETRA_TAB_SHOTS");
    for (int page = 0; page < kPageCount; ++page) {
        SCOPED_TRACE(page);
        h.pages->setCurrentIndex(page);
        QWidget *panel = h.panels[static_cast<std::size_t>(page)];
        panel->layout()->activate();
        QApplication::processEvents();
        const QSize needed = panel->layout()->minimumSize();
        EXPECT_LE(needed.width(), panel->width()) << "page " << page;
        EXPECT_LE(needed.height(), panel->height()) << "page " << page;
        expectFits(panel, page);
        if (!shots.isEmpty())
            h.pages->grab().save(QDir(shots).filePath(QStringLiteral("tab%1.png").arg(page)));
    }
}

} // namespace
