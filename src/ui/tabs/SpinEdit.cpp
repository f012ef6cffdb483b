#include "ui/tabs/SpinEdit.h"

#include <QLineEdit>

namespace alvetra {

SpinEdit::SpinEdit(int minimum, int maximum, int value, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setSingleStep(1);
    setValue(value);
    lineEdit()->setMaxLength(kMaxTypedCharacters);
    setAccelerated(false);
}

void SpinEdit::setTypingEnabled(bool enabled)
{
    // Read-only on the inner edit only: a read-only spin box would also stop its arrows.
    lineEdit()->setReadOnly(!enabled);
}

bool SpinEdit::typingEnabled() const
{
    return !lineEdit()->isReadOnly();
}

void SpinEdit::setBackground(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
    QPalette editPalette = lineEdit()->palette();
    editPalette.setColor(QPalette::Base, color);
    lineEdit()->setPalette(editPalette);
}

QColor SpinEdit::background() const
{
    return lineEdit()->palette().color(QPalette::Active, QPalette::Base);
}

} // namespace alvetra
