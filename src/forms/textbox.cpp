#include "textbox.h"

#include <QKeyEvent>

TextBox::TextBox(QWidget *parent, const QString &name)
    : Control<QLineEdit>(parent, name)
{
    setBackColor(QColor(255, 255, 255));
    setForeColor(QColor(0, 0, 0));
    setFrame(true);
    connect(this, &QLineEdit::textChanged, this, &TextBox::changed);
}

TextBox::~TextBox() = default;

void TextBox::colorsChanged()
{
    Control<QLineEdit>::colorsChanged();
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, backColor());
    palette.setColor(QPalette::Text, foreColor());
    setPalette(palette);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    int keyAscii = 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        keyAscii = 13;
        break;
    case Qt::Key_Backspace:
        keyAscii = 8;
        break;
    case Qt::Key_Tab:
        keyAscii = 9;
        break;
    case Qt::Key_Escape:
        keyAscii = 27;
        break;
    default:
        if (!event->text().isEmpty() && event->text().front().isPrint())
            keyAscii = event->text().front().unicode();
        break;
    }
    if (keyAscii != 0)
        Q_EMIT keyPress(keyAscii);
    Control<QLineEdit>::keyPressEvent(event);
}
