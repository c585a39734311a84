#include "commandbutton.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget *parent, const QString &name)
    : Control<QPushButton>(parent, name)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackColor(backColor());
}

CommandButton::~CommandButton() = default;

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !event->isAutoRepeat()) {
        click();
        return;
    }
    Control<QPushButton>::keyPressEvent(event);
}
