#include "commandbutton.h"

CommandButton::CommandButton(QWidget *parent, const QString &name)
    : Control<QPushButton>(parent, name)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackColor(backColor());
}

CommandButton::~CommandButton() = default;
