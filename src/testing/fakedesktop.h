#pragma once

#include "desktop.h"

#include <QList>

// A desktop for tests: any size (1024 x 768 pixels unless set); records each change of the
// pointer (true: busy) instead of making it.
// Installs itself while it lives, so a test needs only to create one.
class FakeDesktop final : public Desktop
{
public:
    explicit FakeDesktop(int widthPixels = 1024, int heightPixels = 768);
    ~FakeDesktop() override;

    double widthTwips() const override;
    double heightTwips() const override;
    void setBusyPointer(bool busy) override;
    QList<bool> pointerChanges() const { return m_pointerChanges; }

private:
    int m_width = 1024;
    int m_height = 768;
    QList<bool> m_pointerChanges;
};
