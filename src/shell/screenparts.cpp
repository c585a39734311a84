#include "screenparts.h"

#include "label.h"

namespace ScreenParts {

void setupButton(Label &label, const QString &caption, const Rect &rect, double points)
{
    label.setButton(true);
    label.setCaption(caption);
    label.setFont(QStringLiteral("Tahoma"), points, true);
    label.setForeColor(yellow);
    label.setBackColor(QColor(0, 0, 0));
    label.setBackStyle(BackStyle::Opaque);
    label.setBorderStyle(BorderStyle::FixedSingle);
    label.setAlignment(Alignment::Center);
    label.move(rect.left, rect.top, rect.width, rect.height);
}

void setupLabel(Label &label, const QString &caption, const LabelDesign &design)
{
    label.setCaption(caption);
    label.setFont(design.font.toString(), design.points, design.bold);
    label.setForeColor(design.colour);
    label.setBackStyle(BackStyle::Transparent);
    label.setAlignment(design.alignment);
    label.move(design.rect.left, design.rect.top, design.rect.width, design.rect.height);
}

} // namespace ScreenParts
