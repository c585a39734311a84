#include "form.h"

#include "control.h"
#include "twips.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

Form::Form(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setBackColor(m_backColor);
    applyGeometry();
}

Form::~Form() = default;

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
    QWidget::show();
    if (wasVisible)
        raise();
    activateWindow();
}

void Form::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    hide();
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
