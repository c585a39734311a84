#pragma once

#include "control.h"
#include "picture.h"

// An image control. It draws its picture at natural size and takes that size whenever a
// picture is set. With no picture it keeps its size and draws nothing. It holds its picture while
// hidden, so a hidden image can still be printed. It has no background: what lies beneath shows
// through where the picture does not cover.
class ImageBox : public Control<QWidget>
{
    Q_OBJECT

public:
    explicit ImageBox(QWidget *parent, const QString &name = {});
    ~ImageBox() override;

    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);
    // Loads a relative media path ("images\swan1.jpg"); a missing or unreadable file leaves
    // the image empty, same size.
    void loadPicture(const QString &relativePath);
    void clearPicture() { setPicture(Picture()); }

protected:
    void colorsChanged() override { }
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
};
