#include "labelaccessible.h"

#include "label.h"

LabelAccessible::LabelAccessible(Label *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{ }

Label *LabelAccessible::label() const
{
    return static_cast<Label *>(widget());
}

QString LabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && label()->accessibleName().isEmpty())
        return label()->caption();
    return QAccessibleWidget::text(t);
}

QAccessible::Role LabelAccessible::role() const
{
    return label()->isButton() ? QAccessible::Button : QAccessible::StaticText;
}

QAccessible::State LabelAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (!label()->isButton())
        state.focusable = false;
    return state;
}

QStringList LabelAccessible::actionNames() const
{
    if (label()->isButton() && label()->isEnabled())
        return { pressAction() };
    return {};
}

void LabelAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && label()->isButton())
        label()->click();
}

QAccessibleInterface *LabelAccessible::factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Label") && object && object->isWidgetType())
        return new LabelAccessible(static_cast<Label *>(object));
    return nullptr;
}
