// The lock tab's pulse diagrams follow the control under the mouse, with the focus or changing.

#include "ui/tabs/LockDiagramArt.h"
#include "ui/tabs/LockDiagrams.h"
#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/SpinEdit.h"
#include "TabsHarness.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;

namespace {

class DiagramsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.pages->show();
        h.pages->setCurrentIndex(kPageCentralLocks);
        // The lock controls usable, as after reading a unit with central-lock control on.
        TabValues v = h.tabs->gather();
        v.centralLock = true;
        v.extraOpenPulse = v.extraClosePulse1 = v.extraClosePulse2 = true;
        h.tabs->applyFill(v);
        QObject::connect(&h.tabs->diagrams(), &LockDiagrams::diagramUnreadable,
                         [this](const QString &message) { reports.push_back(message); });
    }

    // A point of the widget's own area, where no control inside it lies.
    static QPointF barePoint(const QWidget *w)
    {
        for (int y = 0; y < w->height(); ++y)
            for (int x = 0; x < w->width(); ++x)
                if (!w->childAt(x, y))
                    return QPointF(x, y);
        ADD_FAILURE() << "no bare point in " << qPrintable(w->objectName());
        return {};
    }

    static void moveMouseOver(QWidget *w) { moveMouseOver(w, barePoint(w)); }
    static void moveMouseOver(QWidget *w, QPointF at)
    {
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }

    QString openingFile() const { return h.tabs->diagrams().shownDiagram(h.find<QLabel>("IM_Otworz")); }
    QString closingFile() const { return h.tabs->diagrams().shownDiagram(h.find<QLabel>("IM_Zamknij")); }
    QImage picture(const char *image) const { return h.find<QLabel>(image)->pixmap().toImage(); }
    QString path(const QString &file) const { return QDir(h.diagramDir.path()).filePath(file); }
    // A report as the fitter reads it, less the system's reason, which is in its own language.
    QString missing(const QString &file) const
    {
        return QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(path(file)));
    }
    std::vector<QString> reportsWithoutReason() const
    {
        std::vector<QString> shown;
        for (const QString &report : reports)
            shown.push_back(report.left(report.indexOf(QStringLiteral("\". ")) + 3));
        return shown;
    }

    TabsHarness h;
    std::vector<QString> reports;   // diagramUnreadable, in order
};

TEST_F(DiagramsTest, ApplyingSettingsEndsOnTheOverviewPair)
{
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz1.bmp"));
    EXPECT_EQ(closingFile(), QStringLiteral("Zamknij1.bmp"));
    EXPECT_EQ(picture("IM_Otworz"), lockdiagram::opening(1).convertToFormat(QImage::Format_RGB32));
}

TEST_F(DiagramsTest, FromTheOpeningGroupOntoC1ChangesOnlyTheOpeningPicture)
{
    moveMouseOver(h.find<QWidget>("PNL_PomocniczyZamki"));
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz0.bmp"));
    moveMouseOver(h.find<QWidget>("GB_CzasyOtworz"));
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz1.bmp"));
    EXPECT_EQ(closingFile(), QStringLiteral("Zamknij1.bmp"));
    moveMouseOver(h.find<SpinEdit>("SPE_SygnalOtworz")->editor());
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz3.bmp"));
    EXPECT_EQ(closingFile(), QStringLiteral("Zamknij1.bmp"));
    EXPECT_EQ(picture("IM_Otworz"), lockdiagram::opening(3).convertToFormat(QImage::Format_RGB32));
}

TEST_F(DiagramsTest, AMoveOverAControlInsideAGroupBelongsToTheControl)
{
    h.tabs->diagrams().onMainPulsePanelMouseMove();
    // The check box passes the move on to its group; the group must not take it as its own.
    auto *group = h.find<QWidget>("GB_CzasyOtworz");
    auto *check = h.find<QCheckBox>("CKB_DodatkowyOtworz");
    moveMouseOver(group, QPointF(check->geometry().center()));
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz0.bmp"));
    moveMouseOver(group);
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz1.bmp"));
}

TEST_F(DiagramsTest, EachPulseSpinEditShowsItsOwnQuantity)
{
    struct Row { const char *spin; const char *image; const char *file; };
    const Row rows[] = {
        {"SPE_PrzerwaOtworz", "IM_Otworz", "Otworz2.bmp"}, {"SPE_SygnalOtworz", "IM_Otworz", "Otworz3.bmp"},
        {"SPE_Przerwa1Zamknij", "IM_Zamknij", "Zamknij2.bmp"}, {"SPE_Sygnal1Zamknij", "IM_Zamknij", "Zamknij3.bmp"},
        {"SPE_Przerwa2Zamknij", "IM_Zamknij", "Zamknij4.bmp"}, {"SPE_Sygnal2Zamknij", "IM_Zamknij", "Zamknij5.bmp"},
    };
    auto shown = [&](const char *image) { return h.tabs->diagrams().shownDiagram(h.find<QLabel>(image)); };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.spin);
        h.tabs->diagrams().resetToOverview();
        moveMouseOver(h.find<SpinEdit>(r.spin));
        EXPECT_EQ(shown(r.image), QString::fromLatin1(r.file));
        h.tabs->diagrams().resetToOverview();
        h.find<SpinEdit>(r.spin)->stepDown();   // the arrows change the value
        EXPECT_EQ(shown(r.image), QString::fromLatin1(r.file));
    }
}

TEST_F(DiagramsTest, TheMainPulseGroupShowsAOnClickAndFocus)
{
    auto *group = h.find<RadioGroup>("RAG_ZamekCzasImpulsuGlownego");
    QTest::mouseClick(group->button(1), Qt::LeftButton, {}, QPoint(5, group->button(1)->height() / 2));
    EXPECT_EQ(group->itemIndex(), 1);
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz0.bmp"));
    EXPECT_EQ(closingFile(), QStringLiteral("Zamknij0.bmp"));

    h.tabs->diagrams().resetToOverview();
    h.pages->activateWindow();
    QApplication::setActiveWindow(h.pages.get());
    h.find<QCheckBox>("CKB_DodatkowyOtworz")->setFocus();
    h.tabs->diagrams().resetToOverview();
    group->button(0)->setFocus();   // focus enters the group
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz0.bmp"));
    h.tabs->diagrams().resetToOverview();
    group->button(1)->setFocus();   // moving inside the group is neither entering nor leaving
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz1.bmp"));
    h.find<QCheckBox>("CKB_DodatkowyOtworz")->setFocus();   // focus leaves the group
    EXPECT_EQ(closingFile(), QStringLiteral("Zamknij0.bmp"));
}

TEST_F(DiagramsTest, TheClosingGroupLoadsTheClosingPictureFirst)
{
    h.tabs->diagrams().onMainPulsePanelMouseMove();
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Zamknij1.bmp"))));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Otworz1.bmp"))));
    moveMouseOver(h.find<QWidget>("GB_CzasyZamknij"));
    EXPECT_EQ(reportsWithoutReason(), (std::vector<QString>{missing("Zamknij1.bmp"), missing("Otworz1.bmp")}));
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz0.bmp"));
    EXPECT_EQ(closingFile(), QStringLiteral("Zamknij0.bmp"));
}

TEST_F(DiagramsTest, AMissingFileIsReportedOnceAndThePictureKept)
{
    const QImage before = picture("IM_Otworz");
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Otworz3.bmp"))));
    moveMouseOver(h.find<SpinEdit>("SPE_SygnalOtworz"));
    EXPECT_EQ(reportsWithoutReason(), std::vector<QString>{missing("Otworz3.bmp")});
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz1.bmp"));
    EXPECT_EQ(picture("IM_Otworz"), before);
    // Moving on over the same control does not raise a box on every movement.
    moveMouseOver(h.find<SpinEdit>("SPE_SygnalOtworz"));
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(picture("IM_Otworz"), before);
    // Once the file is back it shows, and losing it again is reported again.
    ASSERT_TRUE(lockdiagram::opening(3).save(path(QStringLiteral("Otworz3.bmp")), "BMP"));
    moveMouseOver(h.find<SpinEdit>("SPE_SygnalOtworz"));
    EXPECT_EQ(openingFile(), QStringLiteral("Otworz3.bmp"));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Otworz3.bmp"))));
    moveMouseOver(h.find<SpinEdit>("SPE_SygnalOtworz"));
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(DiagramsTest, AMissingPictureThrowsNothingThroughAButtonToggleOrAFocusChange)
{
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Otworz0.bmp"))));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Zamknij0.bmp"))));
    auto *group = h.find<RadioGroup>("RAG_ZamekCzasImpulsuGlownego");
    EXPECT_NO_THROW(QTest::mouseClick(group->button(1), Qt::LeftButton, {}, QPoint(5, group->button(1)->height() / 2)));
    EXPECT_EQ(group->itemIndex(), 1);
    EXPECT_EQ(reportsWithoutReason(), (std::vector<QString>{missing("Otworz0.bmp"), missing("Zamknij0.bmp")}));

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Otworz1.bmp"))));
    h.pages->activateWindow();
    QApplication::setActiveWindow(h.pages.get());
    h.find<QCheckBox>("CKB_DodatkowyOtworz")->setFocus();
    h.tabs->diagrams().resetToOverview();
    EXPECT_NO_THROW(group->button(0)->setFocus());
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_TRUE(group->button(0)->hasFocus());
}

TEST_F(DiagramsTest, AnUnreadableFileIsAnErrorToo)
{
    QFile bad(path(QStringLiteral("Zamknij5.bmp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("not a bitmap");
    bad.close();
    h.tabs->diagrams().loadDiagram(h.find<QLabel>("IM_Zamknij"), QStringLiteral("Zamknij5.bmp"));
    ASSERT_EQ(reports.size(), 1u);
    const QString start = QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(bad.fileName()));
    EXPECT_TRUE(reports[0].startsWith(start)) << qPrintable(reports[0]);
    EXPECT_GT(reports[0].size(), start.size());
    EXPECT_EQ(closingFile(), QStringLiteral("Zamknij1.bmp"));
}

TEST_F(DiagramsTest, EveryLoadReadsTheFileAgain)
{
    QImage replaced(146, 28, QImage::Format_RGB32);
    replaced.fill(QColor(10, 200, 30));
    ASSERT_TRUE(replaced.save(path(QStringLiteral("Otworz2.bmp")), "BMP"));
    h.find<SpinEdit>("SPE_PrzerwaOtworz")->stepDown();
    EXPECT_EQ(picture("IM_Otworz"), replaced);
    replaced.fill(QColor(200, 10, 30));
    ASSERT_TRUE(replaced.save(path(QStringLiteral("Otworz2.bmp")), "BMP"));
    moveMouseOver(h.find<SpinEdit>("SPE_PrzerwaOtworz"));
    EXPECT_EQ(picture("IM_Otworz"), replaced);
}

TEST_F(DiagramsTest, AMissingFolderDoesNotStopTheSettingsFromShowing)
{
    h.tabs->setDiagramFolder(h.diagramDir.path() + QStringLiteral("/gone"));
    TabValues v = h.tabs->gather();
    v.pauseAC1 = 17;
    v.pulseE2 = 99;
    v.antiHijackDelay = 200;
    v.antiHijack = true;
    v.programmingCode = QStringLiteral("KDK");
    h.tabs->applyFill(v);
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(reports[0].contains(QDir::toNativeSeparators(QStringLiteral("/gone/Otworz2.bmp")))) << qPrintable(reports[0]);
    EXPECT_EQ(h.tabs->gather(), v);
}

TEST(LockDiagramArt, PicturesHaveTheImageSizesAndHighlightTheirOwnQuantity)
{
    auto redColumns = [](const QImage &image) {
        std::vector<int> xs;
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int x = 0; x < rgb.width(); ++x)
            for (int y = 0; y < rgb.height(); ++y)
                if (rgb.pixel(x, y) == lockdiagram::highlightColor()) {
                    xs.push_back(x);
                    break;
                }
        return xs;
    };
    // Every variant of a diagram at its size, red only within the quantity it highlights.
    auto checkVariants = [&](int variants, QImage (*draw)(int), QSize size, lockdiagram::SegmentSpan (*spanOf)(int)) {
        for (int v = 0; v < variants; ++v) {
            const QImage image = draw(v);
            EXPECT_EQ(image.size(), size) << v;
            const std::vector<int> red = redColumns(image);
            const int segment = lockdiagram::highlightedSegment(v);
            if (segment == lockdiagram::kNoHighlight) {
                EXPECT_TRUE(red.empty()) << v;
                continue;
            }
            ASSERT_FALSE(red.empty()) << v;
            const lockdiagram::SegmentSpan span = spanOf(segment);
            EXPECT_GE(red.front(), span.left - 1) << v;
            EXPECT_LE(red.back(), span.right + 1) << v;
        }
    };
    checkVariants(lockdiagram::kOpeningVariants, lockdiagram::opening, QSize(146, 28), lockdiagram::openingSpan);
    checkVariants(lockdiagram::kClosingVariants, lockdiagram::closing, QSize(241, 28), lockdiagram::closingSpan);
    EXPECT_EQ(lockdiagram::highlightedSegment(0), 0);   // A
    EXPECT_EQ(lockdiagram::highlightedSegment(5), 4);   // E2
}

} // namespace
