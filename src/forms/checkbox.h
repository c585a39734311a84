#pragma once

#include "control.h"

#include <QCheckBox>

// A tick box. value() is 1 when ticked, 0 when not. clicked() (from QAbstractButton) fires
// when the user changes it, by mouse or keyboard; setting the value in code fires nothing.
class CheckBox : public Control<QCheckBox>
{
    Q_OBJECT

public:
    explicit CheckBox(QWidget *parent, const QString &name = {});
    ~CheckBox() override;

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int value) { setChecked(value != 0); }

protected:
    void colorsChanged() override;
    // The whole control answers the mouse, caption and empty space included.
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};
