#pragma once

#include "desktop.h"

// The real display: the application's primary screen and its override cursor.
class SystemDesktop final : public Desktop
{
public:
    ~SystemDesktop() override;

    double widthTwips() const override;
    double heightTwips() const override;
    void setBusyPointer(bool busy) override;

private:
    bool m_busy = false;
};
