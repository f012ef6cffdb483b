#include "ui/tabs/TabBuild.h"

#include "ui/tabs/SpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace alvetra {
namespace build {

QFont arial(const QWidget *like, int pixelHeight, bool bold)
{
    QFont font = like ? like->font() : QApplication::font();
    font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLabel *rightLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = label(parent, name, text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &text)
{
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(name);
    return c;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QGroupBox *groupBox(QWidget *parent, const QString &name, const QString &title)
{
    auto *g = new QGroupBox(title, parent);
    g->setObjectName(name);
    return g;
}

SpinEdit *spinEdit(QWidget *parent, const QString &name, int minimum, int maximum, int value)
{
    auto *s = new SpinEdit(minimum, maximum, value, parent);
    s->setObjectName(name);
    s->setFixedWidth(52);
    return s;
}

QHBoxLayout *buttonRow(QWidget *first, QWidget *second)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addStretch(1);
    row->addWidget(first);
    if (second)
        row->addWidget(second);
    return row;
}

namespace {

class OverlayFollower : public QObject {
public:
    OverlayFollower(QWidget *top, QWidget *under, QPoint offset)
        : QObject(top), top_(top), under_(under), offset_(offset)
    {
        under->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            top_->setGeometry(under_->geometry().translated(offset_));
            top_->raise();
        }
        return false;
    }

private:
    QWidget *top_;
    QWidget *under_;
    QPoint offset_;
};

} // namespace

void overlay(QWidget *top, QWidget *under, QPoint offset)
{
    new OverlayFollower(top, under, offset);
    top->setGeometry(under->geometry().translated(offset));
    top->raise();
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::ButtonText, color);
    widget->setPalette(p);
}

QVBoxLayout *vbox(QWidget *owner, int margin, int spacing)
{
    auto *l = new QVBoxLayout(owner);
    l->setContentsMargins(margin, margin, margin, margin);
    l->setSpacing(spacing);
    return l;
}

QHBoxLayout *hbox(QWidget *owner, int margin, int spacing)
{
    auto *l = new QHBoxLayout(owner);
    l->setContentsMargins(margin, margin, margin, margin);
    l->setSpacing(spacing);
    return l;
}

QVBoxLayout *groupVBox(QWidget *group, int spacing)
{
    auto *l = new QVBoxLayout(group);
    l->setContentsMargins(kGroupMarginSide, kGroupMarginTop, kGroupMarginSide, kGroupMarginBottom);
    l->setSpacing(spacing);
    return l;
}

QHBoxLayout *groupHBox(QWidget *group, int spacing)
{
    auto *l = new QHBoxLayout(group);
    l->setContentsMargins(kGroupMarginSide, kGroupMarginTop, kGroupMarginSide, kGroupMarginBottom);
    l->setSpacing(spacing);
    return l;
}

} // namespace build

QColor windowColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

void setSpinUsable(SpinEdit *spin, bool usable, const QColor &panelColor)
{
    spin->setEnabled(usable);
    spin->setTypingEnabled(usable);
    spin->setBackground(usable ? windowColor() : panelColor);
}

void setComboUsable(QComboBox *combo, bool usable, const QColor &panelColor)
{
    combo->setEnabled(usable);
    const QColor color = usable ? windowColor() : panelColor;
    QPalette p = combo->palette();
    p.setColor(QPalette::Base, color);
    p.setColor(QPalette::Button, color);
    combo->setPalette(p);
}

QColor comboBackground(const QComboBox *combo)
{
    return combo->palette().color(QPalette::Active, QPalette::Base);
}

} // namespace alvetra
