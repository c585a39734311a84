#pragma once

#include "control.h"

#include <QRadioButton>

// An option button. The option buttons sharing a container (screen or frame) form one group:
// selecting one clears the others. clicked() (from QAbstractButton) fires when the user
// chooses it, by mouse or keyboard; setting the value in code fires nothing.
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

protected:
    void colorsChanged() override;

protected:
    // The whole control answers the mouse, caption and empty space included.
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};
