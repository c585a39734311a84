#include "fakedesktop.h"

#include "twips.h"

FakeDesktop::FakeDesktop(int widthPixels, int heightPixels)
    : m_width(widthPixels)
    , m_height(heightPixels)
{
    Desktop::install(this);
}

FakeDesktop::~FakeDesktop()
{
    Desktop::install(nullptr);
}

double FakeDesktop::widthTwips() const
{
    return Twips::fromPixels(m_width);
}

double FakeDesktop::heightTwips() const
{
    return Twips::fromPixels(m_height);
}

void FakeDesktop::setBusyPointer(bool busy)
{
    m_pointerChanges.append(busy);
}
