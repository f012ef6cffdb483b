#include "LockDiagrams.h"

#include "ProgramFolders.h"
#include "RadioGroup.h"
#include "SpinEdit.h"
#include "ZamkiTab.h"

#include <QApplication>
#include <QEvent>
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

const QString kOtworz0 = QStringLiteral("Otworz0.bmp");
const QString kOtworz1 = QStringLiteral("Otworz1.bmp");
const QString kZamknij0 = QStringLiteral("Zamknij0.bmp");
const QString kZamknij1 = QStringLiteral("Zamknij1.bmp");

// The file-open error text of the GUI framework the fitters know: path, then the system's reason.
QString openErrorText(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
}

} // namespace

LockDiagrams::LockDiagrams(ZamkiTab &zamki, QObject *parent)
    : QObject(parent), zamki_(zamki), folder_(ProgramFolders::ofThisProgram().data + QStringLiteral("/Ikony/"))
{
    ZamkiTab &z = zamki_;
    const std::pair<SpinEdit *, SpinDiagram> spins[] = {
        {z.przerwaOtworz, {z.imOtworz, QStringLiteral("Otworz2.bmp")}},
        {z.sygnalOtworz, {z.imOtworz, QStringLiteral("Otworz3.bmp")}},
        {z.przerwa1Zamknij, {z.imZamknij, QStringLiteral("Zamknij2.bmp")}},
        {z.sygnal1Zamknij, {z.imZamknij, QStringLiteral("Zamknij3.bmp")}},
        {z.przerwa2Zamknij, {z.imZamknij, QStringLiteral("Zamknij4.bmp")}},
        {z.sygnal2Zamknij, {z.imZamknij, QStringLiteral("Zamknij5.bmp")}},
    };
    for (const auto &[spin, diagram] : spins) {
        spinDiagrams_.insert(spin, diagram);
        spinDiagrams_.insert(spin->editor(), diagram);
        watchMouse(spin);
        watchMouse(spin->editor());
        connect(spin, &QSpinBox::valueChanged, this,
                [this, diagram = diagram] { LoadDiagram(diagram.image, diagram.file); });
    }
    for (QWidget *w : {static_cast<QWidget *>(z.ustawieniaZamka), static_cast<QWidget *>(z.czasyOtworz),
                       static_cast<QWidget *>(z.czasyZamknij), static_cast<QWidget *>(z.pomocniczyZamki)})
        watchMouse(w);
    connect(z.czasImpulsuGlownego, &RadioGroup::itemIndexChanged, this,
            &LockDiagrams::RAG_ZamekCzasImpulsuGlownegoClick);
    connect(qApp, &QApplication::focusChanged, this, &LockDiagrams::onFocusChanged);
}

void LockDiagrams::setFolder(const QString &folder)
{
    folder_ = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void LockDiagrams::LoadDiagram(QLabel *image, const QString &fileName)
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

void LockDiagrams::loadPair(const QString &otworz, const QString &zamknij)
{
    LoadDiagram(zamki_.imOtworz, otworz);
    LoadDiagram(zamki_.imZamknij, zamknij);
}

void LockDiagrams::GB_UstawieniaZamkaMouseMove() { loadPair(kOtworz1, kZamknij1); }
void LockDiagrams::GB_CzasyOtworzMouseMove() { loadPair(kOtworz1, kZamknij1); }

void LockDiagrams::GB_CzasyZamknijMouseMove()
{
    LoadDiagram(zamki_.imZamknij, kZamknij1);
    LoadDiagram(zamki_.imOtworz, kOtworz1);
}

void LockDiagrams::PNL_PomocniczyZamkiMouseMove() { loadPair(kOtworz0, kZamknij0); }
void LockDiagrams::RAG_ZamekCzasImpulsuGlownegoClick() { loadPair(kOtworz0, kZamknij0); }
void LockDiagrams::RAG_ZamekCzasImpulsuGlownegoEnter() { loadPair(kOtworz0, kZamknij0); }
void LockDiagrams::RAG_ZamekCzasImpulsuGlownegoExit() { loadPair(kOtworz0, kZamknij0); }
void LockDiagrams::resetToOverview() { loadPair(kOtworz1, kZamknij1); }

void LockDiagrams::watchMouse(QWidget *widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool LockDiagrams::insideMainPulseGroup(const QWidget *w) const
{
    return w && (w == zamki_.czasImpulsuGlownego || zamki_.czasImpulsuGlownego->isAncestorOf(w));
}

void LockDiagrams::onFocusChanged(QWidget *old, QWidget *now)
{
    const bool wasInside = insideMainPulseGroup(old);
    const bool isInside = insideMainPulseGroup(now);
    if (!wasInside && isInside)
        RAG_ZamekCzasImpulsuGlownegoEnter();
    else if (wasInside && !isInside)
        RAG_ZamekCzasImpulsuGlownegoExit();
}

bool LockDiagrams::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    if (const auto it = spinDiagrams_.constFind(watched); it != spinDiagrams_.cend()) {
        LoadDiagram(it->image, it->file);
        return false;
    }
    // A group's own handler answers only for its bare area; a move over a control inside it
    // reaches the group too (the control passes it on) but belongs to the control.
    const auto *container = static_cast<QWidget *>(watched);
    if (container->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
        return false;
    if (watched == zamki_.ustawieniaZamka) {
        GB_UstawieniaZamkaMouseMove();
    } else if (watched == zamki_.czasyOtworz) {
        GB_CzasyOtworzMouseMove();
    } else if (watched == zamki_.czasyZamknij) {
        GB_CzasyZamknijMouseMove();
    } else if (watched == zamki_.pomocniczyZamki) {
        PNL_PomocniczyZamkiMouseMove();
    }
    return false;
}

} // namespace alvetra
