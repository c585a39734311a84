#pragma once

#include "control.h"

#include <QRadioButton>

// An option button. The option buttons sharing a container (screen or frame), or a
// QButtonGroup, form one group: selecting one clears the others. clicked() (from
// QAbstractButton) fires when the user chooses it, by mouse or Space; setting the value in
// code fires nothing.
//
// To the keyboard a group is one stop: Tab enters it at the chosen button (else at its first
// or, going back, its last) and leaves it for the next control; the arrow keys move the focus
// from button to button, round the group, without choosing.
class OptionButton : public Control<QRadioButton>
{
    Q_OBJECT

public:
    explicit OptionButton(QWidget *parent, const QString &name = {});
    ~OptionButton() override;

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    bool value() const { return isChecked(); }
    void setValue(bool selected);

    // An unreachable button never takes the focus from the keyboard (a button kept out of
    // sight); Tab and the arrow keys pass it by.
    void setReachableByKeyboard(bool reachable) { m_reachable = reachable; }

protected:
    void colorsChanged() override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

    // The whole control answers the mouse, caption and empty space included.
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }

private:
    // The buttons of this one's group that the keyboard reaches, in their order.
    QList<OptionButton *> keyboardGroup() const;

    bool m_reachable = true;
};
