#pragma once

// What the title and menu tests share: a fake display, a recording sound player, a media
// root of their own, and a way to put every screen away between tests.

#include "testutil.h"

#include "backdrop.h"
#include "mainmenu.h"
#include "module1.h"
#include "recordingmessageboxes.h"
#include "recordingsoundplayer.h"
#include "titlescreen.h"
#include "topicmenu.h"

#include <QImage>
#include <QTimer>

#include <functional>

namespace AppFixture {

// The media built beside the test programs, when the media target has been built.
inline QString builtMedia(const QString &relative)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/media/") + relative;
}

// A picture of exactly this size, whatever was built.
inline bool writePicture(const TestUtil::TemporaryMedia &media, const QString &relative,
                         QSize pixels)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    const QString target = media.path(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    return image.save(target, "JPG");
}

// Puts a picture at a relative path of the media root: the built one when it exists (so
// screenshots show the real picture), else a plain picture of the given size in pixels.
inline bool installPicture(const TestUtil::TemporaryMedia &media, const QString &relative,
                           QSize pixels)
{
    if (QFileInfo::exists(builtMedia(relative)))
        return media.copy(builtMedia(relative), relative);
    return writePicture(media, relative, pixels);
}

// The three pictures the title and menus show.
inline void installScreenPictures(const TestUtil::TemporaryMedia &media)
{
    installPicture(media, QStringLiteral("images/waterliliessm.jpg"), QSize(360, 240));
    installPicture(media, QStringLiteral("images/rivers1.jpg"), QSize(320, 240));
    installPicture(media, QStringLiteral("images/rivers2.jpg"), QSize(320, 240));
}

// Unloads the title and the menus and lets their deferred deletions run, so the next test
// starts from a program where only the backdrop may still be loaded.
inline void unloadScreens()
{
    Titlefrm.unload();
    rivers1.unload();
    rivers2.unload();
    intro0.unload();
    TestUtil::processEvents();
}

// The main menu's one-shot catalogue read has run.
inline bool catalogueRead()
{
    return intro0.isLoaded() && !intro0->Timer1->enabled();
}

// Runs the application's event loop as main does, with action happening inside it; returns
// what exec() returned, or -1 when nothing ended the loop within a few seconds.
inline int execAfter(const std::function<void()> &action)
{
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    start.start(0);
    guard.start(5000);
    return QCoreApplication::exec();
}

} // namespace AppFixture
