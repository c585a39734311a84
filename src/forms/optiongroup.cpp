#include "optiongroup.h"

#include <QRegion>

OptionGroup::OptionGroup(QWidget *parent, const QString &name)
    : QGroupBox(parent)
{
    setObjectName(name);
    setGeometry(parent->rect());
}

OptionGroup::~OptionGroup() = default;

void OptionGroup::paintEvent(QPaintEvent *) { }

void OptionGroup::showEvent(QShowEvent *event)
{
    // The pointer finds the group only where its buttons are.
    QRegion buttons;
    for (const QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        buttons += child->geometry();
    setMask(buttons);
    QGroupBox::showEvent(event);
}
