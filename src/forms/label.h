#pragma once

#include "control.h"

#include <QString>

// A label, and a label button when marked as one (setButton). It paints itself as the form
// toolkit did: an opaque or transparent background, an optional single-line border, the
// caption wrapped within its width from the top, and embossed grey text when disabled.
//
// Mouse events carry the button state, the shift state and the pointer position in twips
// relative to the label's top-left corner. While a button is held the label keeps the
// pointer (Qt's implicit grab), so moves and the release arrive here wherever the pointer
// goes. A disabled label receives no mouse events; they go to what lies beneath it.
//
// A label button takes keyboard focus (Tab follows creation order), Enter or Space press
// it, and accessibility reports it as a push button named by its caption (or by its
// accessible name, where one is set) with a press action. gotFocus() lets the screen light
// it as the pointer does.
class Label : public Control<QWidget>
{
    Q_OBJECT

public:
    explicit Label(QWidget *parent, const QString &name = {});
    ~Label() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    BackStyle backStyle() const { return m_backStyle; }
    void setBackStyle(BackStyle style);
    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);
    Alignment alignment() const { return m_alignment; }
    void setAlignment(Alignment alignment);
    // On (the default), the caption wraps at word breaks within the width; off, it stays on
    // one line and is clipped.
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    bool isButton() const { return m_button; }
    void setButton(bool button);

    // Presses the label without the mouse (Enter, Space, assistive technology's press
    // action): emits activated(), then clicked(), when enabled.
    void click();

    QSize sizeHint() const override;

Q_SIGNALS:
    // A press and release of the left button over the label. The second click of a double
    // click is not a click, as with the form toolkit: it gives doubleClicked() instead, so a
    // pupil's double click on "Next Page" turns one page.
    void clicked();
    void doubleClicked();
    // A press without the mouse; clicked() follows.
    void activated();
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    // mouseDown/mouseUp carry the button that changed, mouseMove the buttons held.
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void gotFocus();

protected:
    void colorsChanged() override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_caption;
    BackStyle m_backStyle = BackStyle::Opaque;
    BorderStyle m_borderStyle = BorderStyle::None;
    Alignment m_alignment = Alignment::Left;
    bool m_wordWrap = true;
    bool m_button = false;
    bool m_pressedInside = false;
};
