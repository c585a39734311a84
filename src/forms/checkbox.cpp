#include "checkbox.h"

CheckBox::CheckBox(QWidget *parent, const QString &name)
    : Control<QCheckBox>(parent, name)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackColor(backColor());
}

CheckBox::~CheckBox() = default;

void CheckBox::colorsChanged()
{
    Control<QCheckBox>::colorsChanged();
    // The square stays white with a black tick whatever the colours, as the form toolkit
    // drew it, so the tick shows on any background.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    setPalette(palette);
}
