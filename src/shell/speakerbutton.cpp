#include "speakerbutton.h"

#include "screenparts.h"

#include <QPainter>
#include <QPainterPath>

SpeakerButton::SpeakerButton(QWidget *parent)
    : Label(parent, QStringLiteral("speaker"))
{
    ScreenParts::setupButton(*this, QString(), rect);
    setSoundOn(true);
}

SpeakerButton::~SpeakerButton() = default;

void SpeakerButton::setSoundOn(bool on)
{
    m_soundOn = on;
    setToolTip(on ? QStringLiteral("Read aloud (F5)")
                  : QStringLiteral("Read aloud (F5): sound is off"));
    setAccessibleName(on ? QStringLiteral("Read aloud")
                         : QStringLiteral("Read aloud, sound is off"));
    update();
}

void SpeakerButton::paintEvent(QPaintEvent *event)
{
    Label::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a grid of 32 x 25, the button's size at 15 twips to the pixel.
    painter.scale(QWidget::width() / 32.0, QWidget::height() / 25.0);
    const QColor colour = isEnabled() ? foreColor() : QColor(128, 128, 128);
    QPainterPath speaker;
    speaker.addPolygon(
        QPolygonF({ { 7, 10 }, { 11, 10 }, { 16, 5 }, { 16, 20 }, { 11, 15 }, { 7, 15 } }));
    speaker.closeSubpath();
    painter.fillPath(speaker, colour);
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    if (m_soundOn) {
        painter.drawArc(QRectF(14, 8.5, 6, 8), -50 * 16, 100 * 16);
        painter.drawArc(QRectF(13, 5, 11, 15), -55 * 16, 110 * 16);
    } else {
        painter.drawLine(QPointF(19.5, 9), QPointF(25.5, 16));
        painter.drawLine(QPointF(25.5, 9), QPointF(19.5, 16));
    }
}
