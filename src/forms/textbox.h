#pragma once

#include "control.h"

#include <QLineEdit>

// A one-line text box (white, black text, MS Sans Serif 8.25 pt unless set). maxLength() is
// QLineEdit's own limit. keyPress() fires for each key that types a character or is Enter
// (13), Backspace (8), Tab (9) or Escape (27), before the box handles it; changed() fires
// whenever the text changes, by typing or in code.
class TextBox : public Control<QLineEdit>
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent, const QString &name = {});
    ~TextBox() override;

Q_SIGNALS:
    void keyPress(int keyAscii);
    void changed();

protected:
    void colorsChanged() override;
    void keyPressEvent(QKeyEvent *event) override;
};
