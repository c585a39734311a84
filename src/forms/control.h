#pragma once

#include "twips.h"

#include <QColor>
#include <QFont>
#include <QMouseEvent>
#include <QPalette>
#include <QString>
#include <QWidget>

// Styles as the form toolkit numbered them.
enum class BackStyle { Transparent, Opaque };
enum class BorderStyle { None, FixedSingle };
enum class Alignment { Left, Right, Center };

// Mouse state as event handlers receive it: buttons 1 left, 2 right, 4 middle, added
// together; shift state 1 Shift, 2 Ctrl, 4 Alt, added together.
namespace MouseState {

inline int buttons(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0)
        | (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

inline int shift(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
        | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
        | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace MouseState

// What every control on a screen has: a design name, a rectangle in twips, colours and a
// font. The twips values are kept exactly as set (as doubles), so code that computes with
// them (centring, dragging) never drifts by rounding; only the widget's pixel rectangle is
// rounded.
//
// left(), top(), width() and height() are twips and deliberately hide QWidget's pixel
// accessors of the same names; use geometry() for pixels.
template<class Base> class Control : public Base
{
public:
    explicit Control(QWidget *parent, const QString &name = {})
        : Base(parent)
    {
        this->setObjectName(name);
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPointSizeF(8.25);
        Base::setFont(font);
    }

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double left) { move(left, m_top, m_width, m_height); }
    void setTop(double top) { move(m_left, top, m_width, m_height); }
    void setWidth(double width) { move(m_left, m_top, width, m_height); }
    void setHeight(double height) { move(m_left, m_top, m_width, height); }
    void move(double left, double top) { move(left, top, m_width, m_height); }
    void move(double left, double top, double width, double height)
    {
        m_left = left;
        m_top = top;
        m_width = width;
        m_height = height;
        this->setGeometry(Twips::toPixels(left, top, width, height));
    }

    // The control's own visible flag, true even while its screen is hidden.
    bool visible() const { return !this->isHidden(); }

    QColor backColor() const { return m_backColor; }
    QColor foreColor() const { return m_foreColor; }
    void setBackColor(const QColor &color)
    {
        m_backColor = color;
        colorsChanged();
    }
    void setForeColor(const QColor &color)
    {
        m_foreColor = color;
        colorsChanged();
    }

    QString fontName() const { return this->font().family(); }
    double fontSize() const { return this->font().pointSizeF(); }
    bool fontBold() const { return this->font().bold(); }
    void setFontName(const QString &name)
    {
        QFont font = this->font();
        font.setFamily(name);
        Base::setFont(font);
    }
    // Point size exactly as designed (32.25 stays 32.25).
    void setFontSize(double points)
    {
        QFont font = this->font();
        font.setPointSizeF(points);
        Base::setFont(font);
    }
    void setFontBold(bool bold)
    {
        QFont font = this->font();
        font.setBold(bold);
        Base::setFont(font);
    }
    void setFont(const QString &name, double points, bool bold = false)
    {
        QFont font(name);
        font.setPointSizeF(points);
        font.setBold(bold);
        Base::setFont(font);
    }
    using Base::setFont;

protected:
    // A control keeps the pointer moves over it, as the form toolkit's controls did, so the
    // screen's Form_MouseMove sees only the bare form. (Qt's buttons pass moves on to their
    // parent when no button is held.)
    void mouseMoveEvent(QMouseEvent *event) override
    {
        Base::mouseMoveEvent(event);
        event->accept();
    }

    // Default: the colours go into the palette roles the Qt widget paints captions and faces
    // with; the white box and black mark of tick and option indicators (Base, Text) stay.
    // Controls that paint themselves override this.
    virtual void colorsChanged()
    {
        QPalette palette = this->palette();
        for (auto role : { QPalette::Window, QPalette::Button })
            palette.setColor(role, m_backColor);
        for (auto role : { QPalette::WindowText, QPalette::ButtonText })
            palette.setColor(role, m_foreColor);
        this->setPalette(palette);
        this->setAutoFillBackground(true);
    }

private:
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    // The toolkit's defaults: button face grey behind black text.
    QColor m_backColor = QColor(192, 192, 192);
    QColor m_foreColor = QColor(0, 0, 0);
};
