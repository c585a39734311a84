#pragma once

#include "control.h"
#include "picture.h"

// A picture box: a fixed-size box with a background colour and a sunken single border,
// drawing its picture at natural size from the top-left corner inside the border, clipped
// to the box.
class PictureBox : public Control<QWidget>
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent, const QString &name = {});
    ~PictureBox() override;

    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);
    // Loads a relative media path; a missing or unreadable file clears the picture.
    void loadPicture(const QString &relativePath);
    void clearPicture() { setPicture(Picture()); }

    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);

protected:
    void colorsChanged() override;
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
    BorderStyle m_borderStyle = BorderStyle::FixedSingle;
};
