#pragma once
// A numeric edit with up and down arrows that steps by 1, accepts at most three typed characters
// and can have typing switched off while the arrows keep working.

#include <QSpinBox>

namespace alvetra {

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int value, QWidget *parent = nullptr);

    // Typing off: the number cannot be typed, the arrows and the keyboard's up/down still step it.
    void setTypingEnabled(bool enabled);
    bool typingEnabled() const;

    // The background of the number field.
    void setBackground(const QColor &color);
    QColor background() const;

    // The number field inside (mouse moves over it belong to the spin edit too).
    QLineEdit *editor() const { return lineEdit(); }

    static constexpr int kMaxTypedCharacters = 3;
};

} // namespace alvetra
