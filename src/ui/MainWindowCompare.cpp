// The main window: comparing its settings with the unit's memory or a file, confirming a write
// that reaches beyond the tab in front, writing only what changed, and the tabs' changed marks.

#include "ui/MainWindow.h"

#include "ops/AlarmOperations.h"
#include "ops/SettingsComparison.h"
#include "ui/UiTexts.h"
#include "ui/tabs/SettingsTabs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <set>

namespace alvetra {

namespace {

QToolButton *textButton(QToolBar *bar, const char *name, const QString &hint)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    bar->addWidget(button);
    return button;
}

} // namespace

void MainWindow::buildCompareTools()
{
    using namespace uitexts;
    ActionPorownajCentrala = makeAction("ActionPorownajCentrala", kCompareWithUnit, -1, &MainWindow::onCompareWithUnit);
    ActionPorownajPlik = makeAction("ActionPorownajPlik", kCompareWithFile, -1, &MainWindow::onCompareWithFile);
    ActionZapisZmienione = makeAction("ActionZapisZmienione", kWriteChangedCaption, -1, nullptr);

    TOB_Porownaj = textButton(ToolBar1, "TOB_Porownaj", kCompareHint);
    TOB_Porownaj->setText(kCompareCaption);
    TOB_Porownaj->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(TOB_Porownaj);
    menu->addAction(ActionPorownajCentrala);
    menu->addAction(ActionPorownajPlik);
    TOB_Porownaj->setMenu(menu);
    TOB_ZapisZmienione = textButton(ToolBar1, "TOB_ZapisZmienione", kWriteChangedHint);
    TOB_ZapisZmienione->setDefaultAction(ActionZapisZmienione);
    TOB_ZapisZmienione->setToolTip(kWriteChangedHint);

    compareDialog_ = openDialog_;
    compareDialog_.title = kCompareFileDialogTitle;

    // Every control of the settings tabs; the fill changes many at once, and one update follows.
    for (int page = 0; page < kPageMonitor; ++page) {
        QWidget *sheet = PGC_Programator->widget(page);
        for (auto *button : sheet->findChildren<QAbstractButton *>())
            connect(button, &QAbstractButton::toggled, this, &MainWindow::scheduleChangedMarks);
        for (auto *spin : sheet->findChildren<QSpinBox *>())
            connect(spin, &QSpinBox::valueChanged, this, &MainWindow::scheduleChangedMarks);
        for (auto *edit : sheet->findChildren<QLineEdit *>())
            connect(edit, &QLineEdit::textChanged, this, &MainWindow::scheduleChangedMarks);
        for (auto *combo : sheet->findChildren<QComboBox *>())
            connect(combo, &QComboBox::currentIndexChanged, this, &MainWindow::scheduleChangedMarks);
    }
}

void MainWindow::onCompareWithUnit()
{
    const auto changes = changesAgainstUnit(ops_->context());
    if (!changes) {
        setup_.dialogs->showMessage(this, {kCaptionInformation, uitexts::kNotReadYet, MessageIcon::Information});
        return;
    }
    showChanges(ChangesDialog::Kind::Compare, uitexts::kCompareWithUnitIntro, uitexts::kChangesColumns[3], *changes);
}

void MainWindow::onCompareWithFile()
{
    const std::optional<QString> fileName = runFileDialog(compareDialog_);
    if (!fileName)
        return;
    std::optional<std::vector<SettingDifference>> changes;
    try {
        changes = changesAgainstFile(ops_->context(), *fileName);
    } catch (...) {
        setup_.reportError(std::current_exception());
        return;
    }
    if (!changes) {
        setup_.dialogs->showMessage(this, {kCaptionInformation, uitexts::kNotReadYet, MessageIcon::Information});
        return;
    }
    showChanges(ChangesDialog::Kind::Compare, uitexts::kCompareWithFileIntro.arg(QFileInfo(*fileName).fileName()),
                uitexts::kFileColumn, *changes);
}

int MainWindow::showChanges(ChangesDialog::Kind kind, const QString &intro, const QString &thereColumn,
                            const std::vector<SettingDifference> &changes)
{
    if (changes.empty()) {
        setup_.dialogs->showMessage(this, {kCaptionInformation, uitexts::kNoDifferences, MessageIcon::Information});
        return QDialog::Rejected;
    }
    ChangesDialog dialog(this, kind, intro, thereColumn, changes);
    return setup_.dialogs->execDialog(dialog);
}

bool MainWindow::confirmChanges(const std::vector<SettingDifference> &changes)
{
    return showChanges(ChangesDialog::Kind::ConfirmWrite, uitexts::kConfirmWriteIntro, uitexts::kChangesColumns[3],
                       changes) == QDialog::Accepted;
}

QString MainWindow::visibleSettingsTab() const
{
    const int page = PGC_Programator->currentIndex();
    return page >= 0 && page < kPageMonitor ? uitexts::kTabCaptions[static_cast<std::size_t>(page)] : QString();
}

void MainWindow::scheduleChangedMarks()
{
    if (std::exchange(changedMarksPending_, true))
        return;
    QTimer::singleShot(0, this, [this] {
        changedMarksPending_ = false;
        updateChangedMarks();
    });
}

void MainWindow::updateChangedMarks()
{
    if (!ops_)
        return;
    std::set<QString> changedTabs;
    if (const auto changes = changesAgainstUnit(ops_->context())) {
        for (const SettingDifference &d : *changes)
            changedTabs.insert(d.tab);
    }
    for (int page = 0; page < kPageMonitor; ++page) {
        const QString &caption = uitexts::kTabCaptions[static_cast<std::size_t>(page)];
        PGC_Programator->setTabText(page, changedTabs.count(caption) ? caption + uitexts::kChangedMark : caption);
    }
}

} // namespace alvetra
