#include "form.h"

#include "control.h"
#include "focusmark.h"
#include "nativewindow.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

// When a screen was last shown, counted across all screens.
quint64 g_showings = 0;

// Only the screen in front takes input. A window manager may still bring a covered screen
// forward (Alt+Tab, the taskbar, a pager): the pointer and the keys never reach it, and the
// screen in front comes straight back over it. Message boxes and file dialogs are not
// screens, so they go on working over the screen in front.
class CoveredScreens final : public QObject
{
public:
    using QObject::QObject;

    static void watch()
    {
        static QPointer<CoveredScreens> guard;
        if (!guard) {
            guard = new CoveredScreens(qApp);
            qApp->installEventFilter(guard);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::WindowActivate:
            if (isCovered(watched) && static_cast<QWidget *>(watched)->isWindow())
                QMetaObject::invokeMethod(this, &CoveredScreens::bringFrontBack,
                                          Qt::QueuedConnection);
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            if (!isCovered(watched))
                return false;
            // Accepted, so that a shortcut override keeps the screen's shortcuts quiet too.
            event->accept();
            return true;
        default:
            return false;
        }
    }

private:
    // A widget of a screen on show that is not the one in front.
    static bool isCovered(QObject *object)
    {
        if (!object->isWidgetType())
            return false;
        auto *form = qobject_cast<Form *>(static_cast<QWidget *>(object)->window());
        return form && form->isVisible() && form != Form::front();
    }

    static void bringFrontBack()
    {
        Form *front = Form::front();
        if (!front || front->isActiveWindow())
            return;
        QWidget *keys = front;
        front->raise();
        front->activateWindow();
        // A message box or file dialog open over it stays above it and keeps the keys.
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modal->raise();
            modal->activateWindow();
            keys = modal;
        }
        NativeWindow::takeFocusWithoutWindowManager(*keys);
    }
};

} // namespace

Form::Form(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    FocusMark::watch();
    CoveredScreens::watch();
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
    m_shownAt = ++g_showings;
    activateWindow();
}

void Form::setVisible(bool visible)
{
    // Qt writes the other states of the backdrop as it maps the window.
    if (visible && m_backdrop && !isVisible()) {
        winId();
        NativeWindow::keepOutOfTaskbarAndSwitcher(*this);
    }
    // However a screen comes on show, it is the one in front.
    if (visible && !m_backdrop && !isVisible())
        m_shownAt = ++g_showings;
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
