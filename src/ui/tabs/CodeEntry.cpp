#include "ui/tabs/CodeEntry.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace alvetra {

CodeEntry::CodeEntry(const std::array<CodeRowWidgets, kCodeSlotCount> &rows, QObject *parent)
    : QObject(parent), rows_(rows)
{
    for (int slot = 0; slot < kCodeSlotCount; ++slot) {
        const auto &row = rows_[static_cast<std::size_t>(slot)];
        row.press->installEventFilter(this);
        row.edit->installEventFilter(this);
        connect(row.edit, &QLineEdit::textChanged, this, [this, slot] { editChanged(slot); });
        connect(row.clear, &QPushButton::clicked, this, [this, slot] { clearClicked(slot); });
    }
}

void CodeEntry::setCode(int slot, const QString &code)
{
    buffers_.at(static_cast<std::size_t>(slot)) = code;
    editChanged(slot);
    emit codeChanged(slot, code);
}

void CodeEntry::advancePressTick()
{
    if (pressTicks_ < 255)
        ++pressTicks_;
}

void CodeEntry::pressDown(int)
{
    pressTicks_ = 0;
}

void CodeEntry::pressUp(int slot)
{
    append(slot, pressTicks_ >= kLongPressTicks ? QLatin1Char('D') : QLatin1Char('K'));
}

void CodeEntry::keyTyped(int slot, const QString &text)
{
    if (text.size() != 1)
        return;
    const QChar c = text.at(0).toUpper();
    if (c == QLatin1Char('K') || c == QLatin1Char('D'))
        append(slot, c);
}

void CodeEntry::editChanged(int slot)
{
    QLineEdit *edit = rows_.at(static_cast<std::size_t>(slot)).edit;
    const QString &buffer = buffers_.at(static_cast<std::size_t>(slot));
    if (edit->text() != buffer)
        edit->setText(buffer);   // emits textChanged once more, now equal: no loop
}

void CodeEntry::clearClicked(int slot)
{
    setCode(slot, QString());
}

void CodeEntry::append(int slot, QChar symbol)
{
    const QString &buffer = buffers_.at(static_cast<std::size_t>(slot));
    if (buffer.size() >= kMaxSymbols)
        return;
    setCode(slot, buffer + symbol);
}

int CodeEntry::slotOfPress(const QObject *o) const
{
    for (int slot = 0; slot < kCodeSlotCount; ++slot)
        if (rows_[static_cast<std::size_t>(slot)].press == o)
            return slot;
    return -1;
}

int CodeEntry::slotOfEdit(const QObject *o) const
{
    for (int slot = 0; slot < kCodeSlotCount; ++slot)
        if (rows_[static_cast<std::size_t>(slot)].edit == o)
            return slot;
    return -1;
}

bool CodeEntry::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:   // the second press of a double click
        if (const int slot = slotOfPress(watched); slot >= 0)
            pressDown(slot);
        break;
    case QEvent::MouseButtonRelease:
        if (const int slot = slotOfPress(watched); slot >= 0)
            pressUp(slot);
        break;
    case QEvent::KeyPress:
        if (const int slot = slotOfEdit(watched); slot >= 0) {
            keyTyped(slot, static_cast<QKeyEvent *>(event)->text());
            // The edit still gets the key; its change is undone against the buffer.
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace alvetra
