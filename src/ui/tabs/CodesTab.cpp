#include "ui/tabs/CodesTab.h"

#include "ui/tabs/Glyphs.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/TabTexts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace alvetra {

namespace {

QLineEdit *passwordEdit(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(CodesTab::kPasswordLength);
    edit->setEchoMode(QLineEdit::Password);
    edit->setFixedWidth(60);
    return edit;
}

QPushButton *smallButton(QWidget *parent, const QString &name, const QIcon &icon, const QString &hint)
{
    auto *b = build::button(parent, name, QString());
    b->setIcon(icon);
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(CodesTab::kSmallButtonSize, CodesTab::kSmallButtonSize);
    b->setToolTip(hint);
    return b;
}

struct CodeRowSpec {
    const char *label;
    const char *edit;
    const char *press;
    const char *clear;
    const QString &text;
};

} // namespace

CodesTab::CodesTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    auto *passwordGroup = build::groupBox(panel, QStringLiteral("GroupBox5"), t::kPcPasswordGroupTitle);
    auto *pg = new QGridLayout(passwordGroup);
    pg->setContentsMargins(8, 2, 8, 4);
    pg->setVerticalSpacing(2);
    pg->addWidget(build::rightLabel(passwordGroup, QStringLiteral("LAB_Zm1HaslaDostepu"), t::kZm1HaslaDostepu), 0, 0);
    newPcPassword = passwordEdit(passwordGroup, QStringLiteral("ED_KodProg1"));
    pg->addWidget(newPcPassword, 0, 1);
    pg->addWidget(build::rightLabel(passwordGroup, QStringLiteral("LAB_Zm2HaslaDostepu"), t::kZm2HaslaDostepu), 1, 0);
    newPcPasswordRepeat = passwordEdit(passwordGroup, QStringLiteral("ED_KodProg2"));
    pg->addWidget(newPcPasswordRepeat, 1, 1);
    pg->addWidget(build::button(passwordGroup, QStringLiteral("BITBTN_ZapisHasloPC"), t::kWriteCaption), 1, 3);
    pg->setColumnStretch(2, 1);
    page->addWidget(passwordGroup);

    auto *codesGroup = build::groupBox(panel, QStringLiteral("GroupBox1"), t::kCodesGroupTitle);
    auto *cg = build::groupVBox(codesGroup, 2);
    auto *rows = new QGridLayout;
    rows->setVerticalSpacing(2);
    rows->setHorizontalSpacing(4);
    const CodeRowSpec specs[4] = {
        {"LAB_ZmKoduProg", "ED_KodInst", "BITBTN_KodInst", "BITBTN_ClearKodInst", t::kZmKoduProg},
        {"LAB_ZmKoduPorw", "ED_KodKidnaper", "BITBTN_KodKidnaper", "BITBTN_ClearKodKidnaper", t::kZmKoduPorw},
        {"LAB_ZmKoduBlok", "ED_KodAntykradziez", "BITBTN_KodAntykradziez", "BITBTN_ClearKodAntykradziez",
         t::kZmKoduBlok},
        {"LAB_ZmKoduAwarRozb", "ED_KodIAwarja", "BITBTN_KodIAwarja", "BITBTN_Clear3KodIAwarja",
         t::kZmKoduAwarRozb},
    };
    for (int row = 0; row < 4; ++row) {
        const CodeRowSpec &s = specs[row];
        rows->addWidget(build::rightLabel(codesGroup, QString::fromLatin1(s.label), s.text), row, 0);
        auto &w = codes[static_cast<std::size_t>(row)];
        w.edit = new QLineEdit(codesGroup);
        w.edit->setObjectName(QString::fromLatin1(s.edit));
        w.edit->setFixedWidth(kCodeEditWidth);
        w.edit->setFont(build::arial(w.edit, 12));
        // No maxLength here: the code entry keeps the text equal to the code buffer, and a stored
        // code may be longer than the twelve presses the user can enter.
        rows->addWidget(w.edit, row, 1);
        w.press = smallButton(codesGroup, QString::fromLatin1(s.press), glyphs::redDot(), t::kPressHint);
        rows->addWidget(w.press, row, 2);
        w.clear = smallButton(codesGroup, QString::fromLatin1(s.clear), glyphs::clearCode(), t::kClearHint);
        rows->addWidget(w.clear, row, 3);
    }
    rows->setColumnStretch(4, 1);
    cg->addLayout(rows);

    auto *legendAndNote = new QHBoxLayout;
    auto *legend = new QGridLayout;
    legend->setVerticalSpacing(0);
    auto *longMark = build::label(codesGroup, QStringLiteral("LAB_Kreska"), t::kKreska);
    longMark->setFont(build::arial(longMark, 13, true));
    legend->addWidget(longMark, 0, 0);
    legend->addWidget(build::label(codesGroup, QStringLiteral("LAB_OpisKreski"), t::kOpisKreski), 0, 1);
    auto *shortMark = build::label(codesGroup, QStringLiteral("LAB_Kropka"), t::kKropka);
    shortMark->setFont(build::arial(shortMark, 13, true));
    legend->addWidget(shortMark, 1, 0);
    legend->addWidget(build::label(codesGroup, QStringLiteral("LAB_OpisKropki"), t::kOpisKropki), 1, 1);
    legendAndNote->addLayout(legend);
    legendAndNote->addSpacing(16);
    codesNote = build::label(codesGroup, QStringLiteral("LAB_UwagaHasla"), QString());
    codesNote->setWordWrap(true);
    legendAndNote->addWidget(codesNote, 1);
    cg->addLayout(legendAndNote);
    page->addWidget(codesGroup);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisKody"), t::kWriteCaption),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytHasla"), t::kReadCaption)));
}

} // namespace alvetra
