#include "optionbutton.h"

#include <QButtonGroup>
#include <QKeyEvent>

OptionButton::OptionButton(QWidget *parent, const QString &name)
    : Control<QRadioButton>(parent, name)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackColor(backColor());
}

OptionButton::~OptionButton() = default;

void OptionButton::setValue(bool selected)
{
    // Qt will not clear the only checked button of an exclusive group; clearing means
    // lifting the exclusivity for the moment.
    if (!selected && isChecked()) {
        if (QButtonGroup *buttons = group(); buttons && buttons->exclusive()) {
            buttons->setExclusive(false);
            setChecked(false);
            buttons->setExclusive(true);
            return;
        }
        if (autoExclusive()) {
            setAutoExclusive(false);
            setChecked(false);
            setAutoExclusive(true);
            return;
        }
    }
    setChecked(selected);
}

QList<OptionButton *> OptionButton::keyboardGroup() const
{
    QList<OptionButton *> members;
    if (group()) {
        for (QAbstractButton *button : group()->buttons())
            if (auto *option = qobject_cast<OptionButton *>(button))
                members << option;
    } else if (autoExclusive() && parentWidget()) {
        for (auto *option :
             parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly))
            if (option->autoExclusive())
                members << option;
    }
    // Qt moves the Tab focus policy to a group's chosen button, so it cannot tell who belongs.
    members.removeIf([](const OptionButton *option) {
        return !option->m_reachable || !option->isVisible() || !option->isEnabled();
    });
    return members;
}

void OptionButton::keyPressEvent(QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        break;
    }
    const QList<OptionButton *> members = keyboardGroup();
    if (step == 0 || members.size() < 2 || !members.contains(this)) {
        Control<QRadioButton>::keyPressEvent(event);
        return;
    }
    const qsizetype next = (members.indexOf(this) + step + members.size()) % members.size();
    // Not a Tab move, so focusInEvent leaves it where it lands.
    members[next]->setFocus(Qt::ShortcutFocusReason);
}

void OptionButton::focusInEvent(QFocusEvent *event)
{
    Control<QRadioButton>::focusInEvent(event);
    const bool back = event->reason() == Qt::BacktabFocusReason;
    if (event->reason() != Qt::TabFocusReason && !back)
        return;
    const QList<OptionButton *> members = keyboardGroup();
    if (members.isEmpty())
        return;
    OptionButton *target = members.contains(this) ? this : back ? members.last() : members.first();
    for (OptionButton *member : members)
        if (member->isChecked())
            target = member;
    if (target != this)
        target->setFocus(event->reason());
}

bool OptionButton::focusNextPrevChild(bool next)
{
    const QList<OptionButton *> members = keyboardGroup();
    if (members.size() < 2 || !members.contains(this))
        return Control<QRadioButton>::focusNextPrevChild(next);
    // The first control that Tab reaches beyond the group.
    for (QWidget *w = next ? nextInFocusChain() : previousInFocusChain(); w != this;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        auto *option = qobject_cast<OptionButton *>(w);
        if (w->window() == window() && !w->isWindow() && w->isVisible() && w->isEnabled()
            && (w->focusPolicy() & Qt::ClickFocus)
            && !(option && (members.contains(option) || !option->m_reachable))) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void OptionButton::colorsChanged()
{
    Control<QRadioButton>::colorsChanged();
    // The round indicator stays white with a black dot whatever the colours, as the form
    // toolkit drew it, so the choice shows on any background.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    setPalette(palette);
}
