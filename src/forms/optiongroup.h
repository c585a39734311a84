#pragma once

#include <QGroupBox>

// Option buttons that belong together, as one group to assistive technology (a grouping
// named by its accessible name) without any look of its own: it draws nothing and covers its
// parent, and only its buttons take the pointer, so the buttons keep the parent's twips and
// everything around them answers the pointer as before. Which buttons exclude each other is
// still up to their parent or their QButtonGroup.
class OptionGroup final : public QGroupBox
{
    Q_OBJECT

public:
    explicit OptionGroup(QWidget *parent, const QString &name = {});
    ~OptionGroup() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
};
