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
