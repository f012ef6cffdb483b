#include "ui/tabs/LockDiagrams.h"

#include "files/ProgramFolders.h"
#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/SpinEdit.h"
#include "ui/tabs/CentralLocksTab.h"

#include <QApplication>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>

namespace alvetra {

namespace {

const QString kOpenMainPulseFile = QStringLiteral("Otworz0.bmp");
const QString kOpenOverviewFile = QStringLiteral("Otworz1.bmp");
const QString kCloseMainPulseFile = QStringLiteral("Zamknij0.bmp");
const QString kCloseOverviewFile = QStringLiteral("Zamknij1.bmp");

// The file-open error text of the GUI framework the fitters know: path (as the system writes
// it), then the system's reason.
QString openErrorText(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

LockDiagrams::LockDiagrams(CentralLocksTab &centralLocks, QObject *parent)
    : QObject(parent), centralLocks_(centralLocks), folder_(ProgramFolders::ofThisProgram().data + QStringLiteral("/Ikony/"))
{
    CentralLocksTab &z = centralLocks_;
    const std::pair<SpinEdit *, SpinDiagram> spins[] = {
        {z.pauseAC1, {z.openDiagram, QStringLiteral("Otworz2.bmp")}},
        {z.pulseC1, {z.openDiagram, QStringLiteral("Otworz3.bmp")}},
        {z.pauseAC2, {z.closeDiagram, QStringLiteral("Zamknij2.bmp")}},
        {z.pulseC2, {z.closeDiagram, QStringLiteral("Zamknij3.bmp")}},
        {z.pauseC2E2, {z.closeDiagram, QStringLiteral("Zamknij4.bmp")}},
        {z.pulseE2, {z.closeDiagram, QStringLiteral("Zamknij5.bmp")}},
    };
    for (const auto &[spin, diagram] : spins) {
        spinDiagrams_.insert(spin, diagram);
        spinDiagrams_.insert(spin->editor(), diagram);
        watchMouse(spin);
        watchMouse(spin->editor());
        connect(spin, &QSpinBox::valueChanged, this,
                [this, diagram = diagram] { loadDiagram(diagram.image, diagram.file); });
    }
    for (QWidget *w : {static_cast<QWidget *>(z.lockSettings), static_cast<QWidget *>(z.openPulses),
                       static_cast<QWidget *>(z.closePulses), static_cast<QWidget *>(z.mainPulsePanel)})
        watchMouse(w);
    connect(z.mainPulseLength, &RadioGroup::itemIndexChanged, this,
            &LockDiagrams::onMainPulseLengthClicked);
    connect(qApp, &QApplication::focusChanged, this, &LockDiagrams::onFocusChanged);
}

void LockDiagrams::setFolder(const QString &folder)
{
    folder_ = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void LockDiagrams::loadDiagram(QLabel *image, const QString &fileName)
{
    const QString path = folder_ + fileName;
    QFile file(path);
    QString reason;
    QImage picture;
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
    } else {
        QImageReader reader(&file, "bmp");
        picture = reader.read();
        if (picture.isNull())
            reason = reader.errorString();
    }
    if (picture.isNull()) {
        if (reported_.contains(path))
            return;   // already reported; the image keeps its picture
        reported_.insert(path);
        emit diagramUnreadable(openErrorText(path, reason));
        return;
    }
    reported_.remove(path);
    image->setPixmap(QPixmap::fromImage(picture));
    shown_.insert(image, fileName);
}

void LockDiagrams::loadPair(const QString &openingFile, const QString &closingFile)
{
    loadDiagram(centralLocks_.openDiagram, openingFile);
    loadDiagram(centralLocks_.closeDiagram, closingFile);
}

void LockDiagrams::onLockSettingsMouseMove() { loadPair(kOpenOverviewFile, kCloseOverviewFile); }
void LockDiagrams::onOpenPulsesMouseMove() { loadPair(kOpenOverviewFile, kCloseOverviewFile); }

void LockDiagrams::onClosePulsesMouseMove()
{
    loadDiagram(centralLocks_.closeDiagram, kCloseOverviewFile);
    loadDiagram(centralLocks_.openDiagram, kOpenOverviewFile);
}

void LockDiagrams::onMainPulsePanelMouseMove() { loadPair(kOpenMainPulseFile, kCloseMainPulseFile); }
void LockDiagrams::onMainPulseLengthClicked() { loadPair(kOpenMainPulseFile, kCloseMainPulseFile); }
void LockDiagrams::onMainPulseLengthEntered() { loadPair(kOpenMainPulseFile, kCloseMainPulseFile); }
void LockDiagrams::onMainPulseLengthExited() { loadPair(kOpenMainPulseFile, kCloseMainPulseFile); }
void LockDiagrams::resetToOverview() { loadPair(kOpenOverviewFile, kCloseOverviewFile); }

void LockDiagrams::watchMouse(QWidget *widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool LockDiagrams::insideMainPulseGroup(const QWidget *w) const
{
    return w && (w == centralLocks_.mainPulseLength || centralLocks_.mainPulseLength->isAncestorOf(w));
}

void LockDiagrams::onFocusChanged(QWidget *old, QWidget *now)
{
    const bool wasInside = insideMainPulseGroup(old);
    const bool isInside = insideMainPulseGroup(now);
    if (!wasInside && isInside)
        onMainPulseLengthEntered();
    else if (wasInside && !isInside)
        onMainPulseLengthExited();
}

bool LockDiagrams::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    if (const auto it = spinDiagrams_.constFind(watched); it != spinDiagrams_.cend()) {
        loadDiagram(it->image, it->file);
        return false;
    }
    // A group's own handler answers only for its bare area; a move over a control inside it
    // reaches the group too (the control passes it on) but belongs to the control.
    const auto *container = static_cast<QWidget *>(watched);
    if (container->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
        return false;
    if (watched == centralLocks_.lockSettings) {
        onLockSettingsMouseMove();
    } else if (watched == centralLocks_.openPulses) {
        onOpenPulsesMouseMove();
    } else if (watched == centralLocks_.closePulses) {
        onClosePulsesMouseMove();
    } else if (watched == centralLocks_.mainPulsePanel) {
        onMainPulsePanelMouseMove();
    }
    return false;
}

} // namespace alvetra
