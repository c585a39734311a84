#pragma once

#include <QAccessibleWidget>

class Label;

// How assistive technology sees a Label: a label button is a push button named by its
// caption with a press action; a plain label is static text. An accessible name set on the
// label stands in for the caption.
class LabelAccessible final : public QAccessibleWidget
{
public:
    explicit LabelAccessible(Label *label);

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // For QAccessible::installFactory.
    static QAccessibleInterface *factory(const QString &className, QObject *object);

private:
    Label *label() const;
};
