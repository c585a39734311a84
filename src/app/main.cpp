#include "commandline.h"
#include "mainmenu.h"
#include "platformchoice.h"
#include "soundplayer.h"
#include "titlescreen.h"
#include "toolkit.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    PlatformChoice::apply();
    const CommandLine commandLine(argc, argv);
    if (commandLine.exitStatus())
        return *commandLine.exitStatus();
    QApplication app(argc, argv);
    commandLine.useWorksheetsFolder();
    Toolkit::startInitialising();
    MainMenu::installNavigation();
    // The title goes up while fontconfig finishes; it paints once the fonts are in place.
    Titlefrm->show();
    Toolkit::finishInitialising();
    // The sound libraries load while the pupil reads the title, not on the first click.
    SoundPlayer::current().prepare();
    return app.exec();
}
