#pragma once

#include "control.h"

#include <QPushButton>

// A push button with a caption and a back colour; clicked() comes from QAbstractButton.
class CommandButton : public Control<QPushButton>
{
    Q_OBJECT

public:
    explicit CommandButton(QWidget *parent, const QString &name = {});
    ~CommandButton() override;

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
};
