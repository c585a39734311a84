#pragma once

#include "picture.h"

#include <QColor>
#include <QString>
#include <QWidget>

// The base of every screen: a top-level window with a caption bar but no window buttons, a
// fixed client area sized in twips, a background colour and an optional background picture
// drawn beneath all controls at its natural size from the top-left corner.
//
// A screen builds its controls in its constructor (in-class initialisers, in design order,
// which is also the Tab order) and does its load steps in Form_Load(), which its FormSlot
// runs right after creating it. left(), top(), width() and height() are twips and hide
// QWidget's pixel accessors of the same names.
//
// The window manager is asked for a caption bar without window buttons (Qt's
// Qt::CustomizeWindowHint with only Qt::WindowTitleHint); where it still offers a close button,
// the close is refused: a screen goes away only through unload(), and the program ends only
// through the title screen's Exit.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    // The load steps; runs once per creation, before the touching statement goes on.
    virtual void Form_Load() { }
    // The pointer moved over the bare form, not over a control. button: 1 left, 2 right,
    // 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips of the client area.
    virtual void Form_MouseMove(int button, int shift, double x, double y);

    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    // Drawn beneath the controls at natural size from the top-left; a null picture clears it.
    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);
    // Loads a relative media path; a missing file clears the picture.
    void loadPicture(const QString &relativePath);

    // Position of the window on the display, twips; negative values put it partly off the
    // top or left edge.
    double left() const { return m_left; }
    double top() const { return m_top; }
    void setLeft(double left);
    void setTop(double top);
    void move(double left, double top);
    // Size of the client area, twips.
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setWidth(double width);
    void setHeight(double height);
    void resize(double width, double height);

    // Shows the screen, never modally, and brings it to the front with the keyboard focus. The
    // backdrop, shown again, covers every screen on show: they are hidden, still loaded.
    void show();
    void setVisible(bool visible) override;

    // Hides the screen and discards it later; its slot becomes empty, so the next touch
    // creates a fresh one. The keyboard focus it had goes to the screen now in front. Safe
    // from inside one of the screen's own handlers.
    void unload();

    // The control with this design name, looked up at run time (the first element for a
    // control array); nullptr when the screen has none.
    QWidget *control(const QString &name) const;

    // The screen in front: the one on show that was shown last. The backdrop never is. Only
    // the screen in front takes the pointer and the keys; a covered screen that a window
    // manager activates sends the activation straight back to it.
    static Form *front();

Q_SIGNALS:
    // Emitted by unload(), before the deferred deletion.
    void unloaded();

protected:
    // Makes this screen the backdrop (call in the constructor): a borderless window below every
    // other screen that never takes the focus and stays out of the taskbar and the window
    // switcher.
    void makeBackdrop();

    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyGeometry();

    QColor m_backColor = QColor(192, 192, 192);
    Picture m_picture;
    double m_left = 0;
    double m_top = 0;
    double m_width = 12000;
    double m_height = 9000;
    bool m_unloaded = false;
    bool m_backdrop = false;
    // When the screen was last shown, counted across all screens; 0 for never.
    quint64 m_shownAt = 0;
};
