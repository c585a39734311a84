#include "navigation.h"

namespace {

std::function<void()> &mainMenu()
{
    static std::function<void()> show;
    return show;
}

} // namespace

void Navigation::showMainMenu()
{
    if (mainMenu())
        mainMenu()();
}

void Navigation::setMainMenu(std::function<void()> show)
{
    mainMenu() = std::move(show);
}
