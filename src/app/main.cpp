#include "platform.h"
#include "titlescreen.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Platform::initialise();
    Titlefrm->show();
    return app.exec();
}
