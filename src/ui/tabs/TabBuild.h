#pragma once
// Small helpers that create the tabs' controls with their object names, captions and fonts, and
// the two looks of a numeric or list control (usable and unusable).

#include <QColor>
#include <QPoint>
#include <QString>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFont;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace alvetra {

class SpinEdit;

namespace build {

// Arial (Liberation Sans on Linux) at a pixel height, as the classic forms give font heights.
QFont arial(const QWidget *like, int pixelHeight, bool bold = false);

QLabel *label(QWidget *parent, const QString &name, const QString &text);
QLabel *rightLabel(QWidget *parent, const QString &name, const QString &text);
QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &text);
QPushButton *button(QWidget *parent, const QString &name, const QString &caption);
QGroupBox *groupBox(QWidget *parent, const QString &name, const QString &title);
SpinEdit *spinEdit(QWidget *parent, const QString &name, int minimum, int maximum, int value);

// A row that pushes its widgets to the right edge (the write and read buttons of a tab).
QHBoxLayout *buttonRow(QWidget *first, QWidget *second = nullptr);

// Keeps `top` lying over `under` (same size, shifted by `offset`) whatever the layout does.
// Both must have the same parent.
void overlay(QWidget *top, QWidget *under, QPoint offset);

// Text colour of a widget and of the widgets inside it (the red and blue captions).
void setTextColor(QWidget *widget, const QColor &color);

QVBoxLayout *vbox(QWidget *owner, int margin = 4, int spacing = 2);
// Layouts inside a group box: the box itself leaves room for its title, so the margins are small
// (the tabs have only about 735 x 375 pixels each).
QVBoxLayout *groupVBox(QWidget *group, int spacing = 2);
QHBoxLayout *groupHBox(QWidget *group, int spacing = 6);
constexpr int kGroupMarginSide = 6;
constexpr int kGroupMarginTop = 1;
constexpr int kGroupMarginBottom = 4;
QHBoxLayout *hbox(QWidget *owner, int margin = 4, int spacing = 4);

} // namespace build

// The system window colour a usable edit shows as its background.
QColor windowColor();

// Usable: enabled, typing on, window background. Unusable: disabled, typing off, the background
// of the tab's panel.
void setSpinUsable(SpinEdit *spin, bool usable, const QColor &panelColor);
void setComboUsable(QComboBox *combo, bool usable, const QColor &panelColor);
QColor comboBackground(const QComboBox *combo);

} // namespace alvetra
