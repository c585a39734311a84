#pragma once

#include "control.h"

#include <QPushButton>

// A push button with a caption and a back colour; clicked() comes from QAbstractButton, by the
// mouse, Space or Enter.
class CommandButton : public Control<QPushButton>
{
    Q_OBJECT

public:
    explicit CommandButton(QWidget *parent, const QString &name = {});
    ~CommandButton() override;

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

protected:
    // Enter presses the button as Space does; Qt's push buttons take it only in dialogs.
    void keyPressEvent(QKeyEvent *event) override;
};
