#include "checkbox.h"

CheckBox::CheckBox(QWidget *parent, const QString &name)
    : Control<QCheckBox>(parent, name)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackColor(backColor());
}

CheckBox::~CheckBox() = default;
