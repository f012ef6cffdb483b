#pragma once
// Builds the ten tab sheets the way the main window does (a medium-grey panel per sheet with a
// QVBoxLayout whose first item is the bold title) and the settings tabs on them.

#include "ui/tabs/LockDiagramArt.h"
#include "ui/tabs/SettingsTabs.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <QVBoxLayout>
#include <memory>

namespace alvetra::test {

struct TabsHarness {
    std::unique_ptr<QTabWidget> pages;
    std::array<QWidget *, kPageCount> panels{};
    SettingsTabs *tabs = nullptr;

    TabsHarness()
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        QApplication::setFont(font);
        static const char *const titles[kPageCount] = {
            "Zmiana hasel i kodów", "Ustawienia potwierdzeń kierunkami i mrugania kierunkami.",
            "Ustawienia sygnałów zamka centralnego", "Ustawienia blokady przeciwkradzieżowej.",
            "Ustawienia blokady antynapadowej.", "Ponowne uzbrojenie.", "Historia zdarzeń.",
            "Tryb pracy alarmu.", "Programowanie pilotów", "Monitoring alarmu."};
        static const char *const tabNames[kPageCount] = {
            "Hasła i kody", "Potwierdzanie i kierunki", "Zamki", "Przeciwkradzież", "Antynapad",
            "Ponowne uzbrojenie", "Historia zdarzeń", "CAN", "Piloty", "Monitor"};
        pages = std::make_unique<QTabWidget>();
        for (int i = 0; i < kPageCount; ++i) {
            auto *sheet = new QWidget;
            auto *sheetLayout = new QVBoxLayout(sheet);
            sheetLayout->setContentsMargins(0, 0, 0, 0);
            auto *panel = new QFrame(sheet);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setAutoFillBackground(true);
            QPalette p = panel->palette();
            p.setColor(QPalette::Window, QColor(160, 160, 164));
            panel->setPalette(p);
            auto *layout = new QVBoxLayout(panel);
            layout->setContentsMargins(4, 4, 4, 4);
            layout->setSpacing(4);
            auto *title = new QLabel(QString::fromUtf8(titles[i]), panel);
            QFont bold = title->font();
            bold.setBold(true);
            title->setFont(bold);
            title->setAlignment(Qt::AlignHCenter);
            layout->addWidget(title);
            sheetLayout->addWidget(panel);
            pages->addTab(sheet, QString::fromUtf8(tabNames[i]));
            panels[static_cast<std::size_t>(i)] = panel;
        }
        tabs = new SettingsTabs(panels, pages.get());
        // The diagrams a test reads, drawn by the same code the build uses.
        EXPECT_TRUE(diagramDir.isValid());
        QString error;
        EXPECT_TRUE(lockdiagram::writeAll(diagramDir.path(), &error)) << qPrintable(error);
        tabs->setDiagramFolder(diagramDir.path());
    }

    QTemporaryDir diagramDir;

    template <class T>
    T *find(const char *name) const
    {
        return pages->findChild<T *>(QString::fromLatin1(name));
    }
};

// The widget's own enabled state, whatever its parents' (a disabled group box hides it).
inline bool ownEnabled(const QWidget *w)
{
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace alvetra::test
