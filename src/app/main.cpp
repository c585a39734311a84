#include "mainmenu.h"
#include "titlescreen.h"
#include "toolkit.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Toolkit::initialise();
    MainMenu::installNavigation();
    Titlefrm->show();
    return app.exec();
}
