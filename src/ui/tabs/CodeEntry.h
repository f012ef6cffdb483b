#pragma once
// Entry of the four button codes as short ("K") and long ("D") presses.
//
// Each slot keeps a code buffer of at most 12 letters; its edit only displays the buffer. A press
// on the slot's press button appends "D" when the press lasted 3 or more ticks of the supervision
// timer and "K" otherwise; typing k or d appends at the end whatever the caret; every other change
// of the edit is undone at once; the clear button empties the buffer.

#include "ui/tabs/CodesTab.h"

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

namespace alvetra {

enum CodeSlot { kSlotProgramming = 0, kSlotAntiHijack, kSlotAntiTheft, kSlotEmergency, kCodeSlotCount };

class CodeEntry : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxSymbols = 12;
    static constexpr int kLongPressTicks = 3;

    CodeEntry(const std::array<CodeRowWidgets, kCodeSlotCount> &rows, QObject *parent);

    const QString &code(int slot) const { return buffers_.at(static_cast<std::size_t>(slot)); }
    // Sets the buffer (as applying settings does) and shows it.
    void setCode(int slot, const QString &code);

    // One tick of the supervision timer; the counter saturates at 255.
    void advancePressTick();
    std::uint8_t pressTicks() const { return pressTicks_; }

    // The handlers, named as the window's designer names them; slot = the code row.
    void pressDown(int slot);
    void pressUp(int slot);
    void keyTyped(int slot, const QString &text);
    void editChanged(int slot);
    void clearClicked(int slot);

signals:
    void codeChanged(int slot, const QString &code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int slotOfPress(const QObject *o) const;
    int slotOfEdit(const QObject *o) const;
    void append(int slot, QChar symbol);

    std::array<CodeRowWidgets, kCodeSlotCount> rows_;
    std::array<QString, kCodeSlotCount> buffers_;
    std::uint8_t pressTicks_ = 0;
};

} // namespace alvetra
