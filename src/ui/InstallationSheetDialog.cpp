#include "ui/InstallationSheetDialog.h"

#include "alarm/PaperTexts.h"
#include "ui/UiTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace alvetra {

namespace {

using namespace uitexts;

// The card beside the sheet: "Karta montażu EL 123.pdf" and "Karta montażu EL 123 - karta kodowa.pdf".
QString cardPathBeside(const QString &sheet)
{
    const QFileInfo file(sheet);
    return file.dir().filePath(file.completeBaseName() + kSheetCardSuffix + QStringLiteral(".pdf"));
}

} // namespace

InstallationSheetDialog::InstallationSheetDialog(const PaperFacts &facts, Seams seams, QWidget *parent)
    : QDialog(parent), facts_(facts), seams_(seams)
{
    setObjectName(QStringLiteral("InstallationSheetDialog"));
    setWindowTitle(kCaptionSheet);
    preview_ = new QTextEdit(this);
    preview_->setObjectName(QStringLiteral("TE_Podglad"));
    preview_->setReadOnly(true);
    preview_->setMinimumSize(420, 460);

    auto *columns = new QHBoxLayout;
    columns->addLayout(buildFields(), 1);
    columns->addWidget(preview_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buildButtons());
    showPreview();
}

QFormLayout *InstallationSheetDialog::buildFields()
{
    auto *fields = new QFormLayout;
    auto field = [&](const char *name, const QString &label, const QString &text) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QString::fromLatin1(name));
        fields->addRow(label, edit);
        connect(edit, &QLineEdit::textChanged, this, &InstallationSheetDialog::showPreview);
        return edit;
    };
    workshopName_ = field("ED_WarsztatNazwa", kSheetWorkshopName, facts_.workshop.name);
    workshopAddress_ = field("ED_WarsztatAdres", kSheetWorkshopAddress, facts_.workshop.address);
    workshopPhone_ = field("ED_WarsztatTelefon", kSheetWorkshopPhone, facts_.workshop.phone);
    make_ = field("ED_Marka", kSheetMake, facts_.car.make);
    model_ = field("ED_Model", kSheetModel, facts_.car.model);
    registration_ = field("ED_NrRejestracyjny", kSheetRegistration, facts_.car.registration);
    vin_ = field("ED_Vin", kSheetVin, facts_.car.vin);
    vin_->setMaxLength(kVinLength);
    codeCard_ = new QCheckBox(kSheetCodeCard, this);
    codeCard_->setObjectName(QStringLiteral("CKB_KartaKodowa"));
    fields->addRow(codeCard_);
    return fields;
}

QDialogButtonBox *InstallationSheetDialog::buildButtons()
{
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *save = buttons->addButton(kSheetSave, QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("BTN_ZapiszPdf"));
    QPushButton *close = buttons->addButton(kSheetClose, QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("BTN_Zamknij"));
    connect(save, &QPushButton::clicked, this, &InstallationSheetDialog::savePdf);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    return buttons;
}

InstallationSheetDialog::~InstallationSheetDialog()
{
    // The preview lets go of the sheet's document before it goes.
    preview_->setDocument(nullptr);
}

Workshop InstallationSheetDialog::workshop() const
{
    return {workshopName_->text().trimmed(), workshopAddress_->text().trimmed(), workshopPhone_->text().trimmed()};
}

PaperFacts InstallationSheetDialog::facts() const
{
    PaperFacts facts = facts_;
    facts.workshop = workshop();
    facts.car = {make_->text().trimmed(), model_->text().trimmed(), registration_->text().trimmed(),
                 vinAsTyped(vin_->text())};
    return facts;
}

void InstallationSheetDialog::showPreview()
{
    // The sheet on its page's text width, as it will be printed.
    std::unique_ptr<QTextDocument> document = typesetPaper(installationSheet(facts()), paperLayout(PaperKind::InstallationSheet).body);
    preview_->setDocument(document.get());
    previewDocument_ = std::move(document);
}

bool InstallationSheetDialog::written(const Paper &paper, PaperKind kind, const QString &path)
{
    const std::optional<QString> error = writePaperPdf(paper, kind, path);
    if (error)
        seams_.dialogs.showMessage(this, {kCaptionError, papertexts::kNotWritten.arg(QDir::toNativeSeparators(path), *error),
                                          MessageIcon::Error});
    return !error;
}

void InstallationSheetDialog::savePdf()
{
    const PaperFacts paperFacts = facts();
    if (!paperFacts.car.vin.isEmpty() && !isWellFormedVin(paperFacts.car.vin)) {
        seams_.dialogs.showMessage(this, {kCaptionWarning, papertexts::kBadVin.arg(paperFacts.car.vin), MessageIcon::Exclamation});
        vin_->setFocus();
        return;
    }
    FileDialogSettings &dialog = seams_.saveDialog;
    dialog.mode = FileDialogSettings::Mode::Save;
    dialog.title = kCaptionSheet;
    dialog.filters = {kSheetFilter};
    dialog.filterIndex = 1;
    dialog.defaultExtension = QStringLiteral("pdf");
    dialog.fileName = kSheetFileName.arg(paperFacts.car.registration).trimmed().replace(QStringLiteral(" .pdf"), QStringLiteral(".pdf"));
    dialog.promptOverwrite = true;
    const std::optional<QString> path = seams_.dialogs.chooseFile(this, dialog);
    if (!path)
        return;
    dialog.initialFolder = QFileInfo(*path).absolutePath() + QLatin1Char('/');   // the next sheet starts there
    if (!written(installationSheet(paperFacts), PaperKind::InstallationSheet, *path))
        return;
    seams_.openUrl(QUrl::fromLocalFile(*path));
    if (codeCard_->isChecked() && written(codeCard(paperFacts), PaperKind::CodeCard, cardPathBeside(*path)))
        seams_.openUrl(QUrl::fromLocalFile(cardPathBeside(*path)));
    accept();
}

} // namespace alvetra
