#include "label.h"

#include "sunkenedge.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

Label::Label(QWidget *parent, const QString &name)
    : Control<QWidget>(parent, name)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

Label::~Label() = default;

void Label::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void Label::setBackStyle(BackStyle style)
{
    if (style == m_backStyle)
        return;
    m_backStyle = style;
    update();
}

void Label::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    update();
}

void Label::setAlignment(Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void Label::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    update();
}

void Label::setButton(bool button)
{
    m_button = button;
    setFocusPolicy(button ? Qt::StrongFocus : Qt::NoFocus);
}

void Label::click()
{
    if (!isEnabled())
        return;
    Q_EMIT activated();
    Q_EMIT clicked();
}

QSize Label::sizeHint() const
{
    return size();
}

void Label::colorsChanged()
{
    update();
}

void Label::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_backStyle == BackStyle::Opaque)
        painter.fillRect(rect(), backColor());

    QRect textRect = rect();
    if (m_borderStyle == BorderStyle::FixedSingle) {
        drawSunkenEdge(painter, rect());
        textRect.adjust(2, 2, -2, -2);
    }

    int flags = Qt::AlignTop;
    switch (m_alignment) {
    case Alignment::Left:
        flags |= Qt::AlignLeft;
        break;
    case Alignment::Right:
        flags |= Qt::AlignRight;
        break;
    case Alignment::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    flags |= m_wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;

    painter.setFont(font());
    painter.setClipRect(textRect);
    if (isEnabled()) {
        painter.setPen(foreColor());
        painter.drawText(textRect, flags, m_caption);
    } else {
        // Embossed, as disabled text was drawn: a white copy one pixel down and right, grey
        // on top.
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(textRect.translated(1, 1), flags, m_caption);
        painter.setPen(QColor(128, 128, 128));
        painter.drawText(textRect, flags, m_caption);
    }
}

void Label::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedInside = true;
    const QPointF at = Twips::fromPixels(event->position());
    Q_EMIT mouseDown(MouseState::buttons(event->button()), MouseState::shift(event->modifiers()),
                     at.x(), at.y());
}

void Label::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = Twips::fromPixels(event->position());
    Q_EMIT mouseMove(MouseState::buttons(event->buttons()), MouseState::shift(event->modifiers()),
                     at.x(), at.y());
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = Twips::fromPixels(event->position());
    // The handlers may move, hide or even unload the label; decide on the click first.
    const bool clickedHere = event->button() == Qt::LeftButton && m_pressedInside
        && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressedInside = false;
    Q_EMIT mouseUp(MouseState::buttons(event->button()), MouseState::shift(event->modifiers()),
                   at.x(), at.y());
    if (clickedHere && isEnabled())
        Q_EMIT clicked();
}

void Label::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The button goes down for the second time: no mouse-down and no click to follow.
    m_pressedInside = false;
    if (event->button() == Qt::LeftButton && isEnabled())
        Q_EMIT doubleClicked();
}

void Label::keyPressEvent(QKeyEvent *event)
{
    if (m_button && !event->isAutoRepeat()
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
            || event->key() == Qt::Key_Space)) {
        click();
        return;
    }
    Control<QWidget>::keyPressEvent(event);
}

void Label::focusInEvent(QFocusEvent *event)
{
    Control<QWidget>::focusInEvent(event);
    Q_EMIT gotFocus();
}

void Label::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_pressedInside = false;
        update();
    }
    Control<QWidget>::changeEvent(event);
}
