#include "mainmenu.h"
#include "platformchoice.h"
#include "titlescreen.h"
#include "toolkit.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    PlatformChoice::apply();
    QApplication app(argc, argv);
    Toolkit::initialise();
    MainMenu::installNavigation();
    Titlefrm->show();
    return app.exec();
}
