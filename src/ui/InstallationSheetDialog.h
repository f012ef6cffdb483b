#pragma once
// "Karta montażu": the workshop (kept in the preferences), the car and the papers to make, with a
// preview of the sheet as it will be printed. "Zapisz PDF..." writes the sheet (and, when asked,
// the owner's code card beside it) and opens it with the system's viewer for printing.

#include "alarm/OwnerPapers.h"
#include "paper/PaperPdf.h"
#include "ui/Dialogs.h"

#include <QDialog>
#include <QUrl>
#include <functional>
#include <memory>

class QCheckBox;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QTextDocument;
class QTextEdit;

namespace alvetra {

class InstallationSheetDialog : public QDialog {
    Q_OBJECT
public:
    struct Seams {
        Dialogs &dialogs;
        std::function<bool(const QUrl &)> openUrl;   // the system's viewer
        FileDialogSettings &saveDialog;              // remembers its folder between showings
    };
    InstallationSheetDialog(const PaperFacts &facts, Seams seams, QWidget *parent);
    ~InstallationSheetDialog() override;

    // The workshop as typed, for the preferences.
    Workshop workshop() const;

private:
    QFormLayout *buildFields();
    QDialogButtonBox *buildButtons();
    PaperFacts facts() const;
    void showPreview();
    void savePdf();
    bool written(const Paper &paper, PaperKind kind, const QString &path);

    PaperFacts facts_;
    Seams seams_;
    QLineEdit *workshopName_ = nullptr;
    QLineEdit *workshopAddress_ = nullptr;
    QLineEdit *workshopPhone_ = nullptr;
    QLineEdit *make_ = nullptr;
    QLineEdit *model_ = nullptr;
    QLineEdit *registration_ = nullptr;
    QLineEdit *vin_ = nullptr;
    QCheckBox *codeCard_ = nullptr;
    QTextEdit *preview_ = nullptr;
    std::unique_ptr<QTextDocument> previewDocument_;
};

} // namespace alvetra
