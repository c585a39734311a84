#include "screenparts.h"

#include "label.h"

namespace ScreenParts {

void setupButton(Label &label, const QString &caption, const Rect &rect)
{
    label.setButton(true);
    label.setCaption(caption);
    label.setFont(QStringLiteral("Tahoma"), 15.75, true);
    label.setForeColor(yellow);
    label.setBackColor(QColor(0, 0, 0));
    label.setBackStyle(BackStyle::Opaque);
    label.setBorderStyle(BorderStyle::FixedSingle);
    label.setAlignment(Alignment::Center);
    label.move(rect.left, rect.top, rect.width, rect.height);
}

void setupLabel(Label &label, const QString &caption, const LabelSpec &spec)
{
    label.setCaption(caption);
    label.setFont(spec.font.toString(), spec.points, spec.bold);
    label.setForeColor(spec.colour);
    label.setBackStyle(BackStyle::Transparent);
    label.setAlignment(spec.alignment);
    label.move(spec.rect.left, spec.rect.top, spec.rect.width, spec.rect.height);
}

} // namespace ScreenParts
