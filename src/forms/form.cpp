#include "form.h"

#include "control.h"
#include "focusmark.h"
#include "nativewindow.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

Form::Form(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    FocusMark::watch();
    setBackColor(m_backColor);
    applyGeometry();
}

Form::~Form() = default;

void Form::makeBackdrop()
{
    // A normal window: Qt makes a tool window without a parent transient for the whole
    // program, and window managers keep such a window above all the program's windows.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                   | Qt::WindowStaysOnBottomHint);
    m_backdrop = true;
}

void Form::Form_MouseMove(int, int, double, double) { }

void Form::setBackColor(const QColor &color)
{
    m_backColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
    setAutoFillBackground(true);
    update();
}

void Form::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void Form::loadPicture(const QString &relativePath)
{
    setPicture(Picture::load(relativePath));
}

void Form::setLeft(double left)
{
    move(left, m_top);
}

void Form::setTop(double top)
{
    move(m_left, top);
}

void Form::move(double left, double top)
{
    m_left = left;
    m_top = top;
    applyGeometry();
}

void Form::setWidth(double width)
{
    resize(width, m_height);
}

void Form::setHeight(double height)
{
    resize(m_width, height);
}

void Form::resize(double width, double height)
{
    m_width = width;
    m_height = height;
    applyGeometry();
}

void Form::applyGeometry()
{
    QWidget::move(Twips::toPixels(m_left), Twips::toPixels(m_top));
    setFixedSize(Twips::toPixels(m_width), Twips::toPixels(m_height));
}

void Form::show()
{
    static quint64 showings = 0;
    // A window that appears is on top already; one on show already has to be raised.
    const bool wasVisible = isVisible();
    if (m_backdrop) {
        // Shown again, the backdrop comes in front of every screen. It stays in the window
        // manager's lowest layer, so the screens it covers are hidden instead; they stay
        // loaded and come back when they are shown again.
        if (wasVisible) {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *form = qobject_cast<Form *>(widget);
                if (form && form != this && form->isVisible())
                    form->hide();
            }
        }
        QWidget::show();
        return;
    }
    QWidget::show();
    if (wasVisible)
        raise();
    m_shownAt = ++showings;
    activateWindow();
}

void Form::setVisible(bool visible)
{
    // Qt writes the other states of the backdrop as it maps the window.
    if (visible && m_backdrop && !isVisible()) {
        winId();
        NativeWindow::keepOutOfTaskbarAndSwitcher(*this);
    }
    QWidget::setVisible(visible);
}

Form *Form::front()
{
    Form *front = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *form = qobject_cast<Form *>(widget);
        if (form && form->isVisible() && form->m_shownAt > 0
            && (!front || form->m_shownAt > front->m_shownAt))
            front = form;
    }
    return front;
}

void Form::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    const bool hadFocus = isActiveWindow();
    hide();
    // The keyboard goes to the screen now in front, also where no window manager passes it on.
    if (Form *next = hadFocus ? front() : nullptr)
        next->activateWindow();
    Q_EMIT unloaded();
    deleteLater();
}

QWidget *Form::control(const QString &name) const
{
    return findChild<QWidget *>(name);
}

void Form::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    m_picture.paint(painter, QRectF(QPointF(0, 0), QSizeF(m_picture.sizePixels())));
}

void Form::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over enabled controls are theirs (labels take them; other controls swallow them);
    // what arrives here is the bare form, or a disabled control the pointer passes through.
    const QPointF at = Twips::fromPixels(event->position());
    Form_MouseMove(MouseState::buttons(event->buttons()), MouseState::shift(event->modifiers()),
                   at.x(), at.y());
}

void Form::closeEvent(QCloseEvent *event)
{
    // The window manager's close (spontaneous) is refused; the program's own close is not.
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}
