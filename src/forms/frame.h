#pragma once

#include "control.h"

#include <QWidget>

// A frame without a caption: a background and an etched border whose top line runs half a
// text line below the top, as the form toolkit drew it. Controls created with the frame as
// parent are placed in twips relative to it, and their option buttons form their own group.
class Frame : public Control<QWidget>
{
    Q_OBJECT

public:
    explicit Frame(QWidget *parent, const QString &name = {});
    ~Frame() override;

protected:
    void colorsChanged() override;
    void paintEvent(QPaintEvent *event) override;
};
