// The file dialog as the window shows it where it is Qt's own: offscreen, and on Windows for a
// dialog shown without modality (the system's dialog is modal only), whose list Qt makes late.

#include "ui/Dialogs.h"
#include "WaitFor.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::test;

TEST(FileDialog, TheDateColumnShowsTheWholeDate)
{
    // Qt's dialog keeps its column widths in the user's QtProject.conf: a temporary one, so that
    // neither an earlier run nor the home decides the width.
    QTemporaryDir qtSettings;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, qtSettings.path());
    QTemporaryDir folder;
    QFile file(folder.filePath("ustawienia.alm"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Late in December: the widest date of the year.
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58)), QFileDevice::FileModificationTime));
    file.close();

    FileDialogSettings settings;
    settings.initialFolder = folder.path();
    settings.filters = {QStringLiteral("Pliki ustawień alarmu (*.alm)")};
    QFileDialog dialog;
    prepareFileDialog(dialog, settings);
    dialog.show();
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    auto *model = qobject_cast<QFileSystemModel *>(view->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex date = model->index(file.fileName(), 3);
    ASSERT_TRUE(waitFor([&] { return !model->data(date).toString().isEmpty(); }));

    const int textWidth = view->fontMetrics().horizontalAdvance(model->data(date).toString());
    // The cell keeps a few pixels of margin on either side of its text.
    EXPECT_GE(view->header()->sectionSize(3), textWidth + 8) << model->data(date).toString().toStdString();
}
