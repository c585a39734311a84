#include "optionbutton.h"

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
    if (!selected && isChecked() && autoExclusive()) {
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
        return;
    }
    setChecked(selected);
}
