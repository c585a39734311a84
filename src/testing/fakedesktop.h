#pragma once

#include "desktop.h"

// A desktop for tests: any size (1024 x 768 pixels unless set); the pointer never changes.
// Installs itself while it lives, so a test needs only to create one.
class FakeDesktop final : public Desktop
{
public:
    explicit FakeDesktop(int widthPixels = 1024, int heightPixels = 768);
    ~FakeDesktop() override;

    double widthTwips() const override;
    double heightTwips() const override;
    void setBusyPointer(bool busy) override;

private:
    int m_width = 1024;
    int m_height = 768;
};
