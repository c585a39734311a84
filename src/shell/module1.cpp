#include "module1.h"

#include "backdrop.h"
#include "desktop.h"
#include "form.h"
#include "picturebox.h"
#include "screenparts.h"

void formlayout(Form &screen)
{
    screen.setBackColor(ScreenParts::layoutBlue);
    screen.setCaption(QStringLiteral("Ondel"));
    // The picture box is looked up by name, so screens without one simply skip this step.
    if (auto *picture = qobject_cast<PictureBox *>(screen.control(QStringLiteral("Picture1"))))
        picture->setBackColor(ScreenParts::pictureBlue);
    screen.resize(12000, 9000);

    Desktop &desktop = Desktop::current();
    const double displayWidth = desktop.widthTwips();
    const double displayHeight = desktop.heightTwips();
    desktop.setBusyPointer(true);
    screen.setTop(displayHeight / 2 - screen.height() / 2);
    screen.setLeft(displayWidth / 2 - screen.width() / 2);
    desktop.setBusyPointer(false);
}

void requestSound(const QString &relativePath)
{
    if (soundon != 1)
        return;
    Grey->SndDevil1.play(relativePath);
}
