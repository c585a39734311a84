#pragma once

#include <functional>

// The way back from a screen to the screens of the top layer (the menus), which the screens
// below cannot name. The program fills it in at start; until then it does nothing.
namespace Navigation {

// Shows the main menu, loading it afresh when it is not loaded.
void showMainMenu();

// Called by the top layer at start.
void setMainMenu(std::function<void()> show);

} // namespace Navigation
