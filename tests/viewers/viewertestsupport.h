#pragma once

// What the viewer tests share: a media root holding every page, logo frame and answer
// picture the viewers name, copied from the built media; the recording fakes; and a way to
// put every screen away.

#include "testutil.h"

#include "guideviewer.h"
#include "mainmenu.h"
#include "metafilewriter.h"
#include "module1.h"
#include "pageviewer.h"
#include "recordingmessageboxes.h"
#include "recordingprinter.h"
#include "recordingsoundplayer.h"
#include "topicmenu.h"

#include <QPainter>
#include <memory>

namespace ViewerTest {

inline const QSizeF screenPageTwips(10400, 7800);
inline const QSizeF printPageTwips(9900, 7425);

// Every page name of the page sets, as the menus and the viewers' paging name them.
inline const QStringList pageNames {
    QStringLiteral("introductiona.wmf"),   QStringLiteral("introductionb.wmf"),
    QStringLiteral("key rivers 1.wmf"),    QStringLiteral("key rivers 2a.wmf"),
    QStringLiteral("key rivers 2b.wmf"),   QStringLiteral("rivers 1.wmf"),
    QStringLiteral("rivers 2.wmf"),        QStringLiteral("guide1.wmf"),
    QStringLiteral("guide2.wmf"),          QStringLiteral("guide3.wmf"),
    QStringLiteral("acknowledgments.wmf"),
};

inline const QStringList answerPictures {
    QStringLiteral("images/cycleanswer.jpg"),      QStringLiteral("images/drainageanswer.jpg"),
    QStringLiteral("images/rivers1answer.jpg"),    QStringLiteral("images/landformsanswer.jpg"),
    QStringLiteral("images/irrigationanswer.jpg"), QStringLiteral("images/supply2answer.jpg"),
};

inline QString builtMedia(const QString &relative)
{
    return QStringLiteral(ONDEL_BUILT_MEDIA_DIR "/") + relative;
}

// A page as a placeable metafile: a cream sheet with a blue frame and one line of text.
inline QByteArray pageMetafile(QSizeF twips, const QString &text)
{
    MetafileWriter writer(twips);
    QPainter painter(&writer);
    painter.fillRect(QRectF(QPointF(0, 0), twips), QColor(255, 253, 245));
    painter.setPen(QPen(QColor(47, 134, 204), 60));
    painter.drawRect(QRectF(QPointF(30, 30), twips - QSizeF(60, 60)));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(480); // 24 pt in twips
    painter.setFont(font);
    painter.setPen(QColor(27, 27, 27));
    painter.drawText(QRectF(QPointF(600, 600), twips - QSizeF(1200, 1200)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.end();
    return writer.data();
}

// Writes both copies of a generated page: wmf/name and wmf2/name.
inline void writePage(const TestUtil::TemporaryMedia &media, const QString &name,
                      const QString &text)
{
    QVERIFY(media.write(QStringLiteral("wmf/") + name, pageMetafile(screenPageTwips, text)));
    QVERIFY(media.write(QStringLiteral("wmf2/") + name, pageMetafile(printPageTwips, text)));
}

// Every file the viewers and the menus that open them read.
inline void installMedia(const TestUtil::TemporaryMedia &media)
{
    QStringList files = answerPictures;
    for (const QString &name : pageNames)
        files << QStringLiteral("wmf/") + name << QStringLiteral("wmf2/") + name;
    files << QStringLiteral("logo/corvane2.bmp");
    for (int frame = 0; frame < 20; ++frame)
        files << QStringLiteral("logo/corv%1.gif").arg(frame, 4, 10, QChar(u'0'));
    for (const QString &file : files)
        QVERIFY2(media.copy(builtMedia(file), file), qPrintable(file));
}

// Puts every screen away and lets the deferred deletions run.
inline void unloadScreens()
{
    teacher.unload();
    guide.unload();
    rivers1.unload();
    rivers2.unload();
    intro0.unload();
    TestUtil::processEvents();
}

// The main menu on show, as after the title screen's OK.
inline MainMenu *showMainMenu()
{
    intro0->show();
    if (!QTest::qWaitForWindowExposed(intro0.get()))
        return nullptr;
    return intro0.get();
}

// The fakes and the media every viewer test uses: call initTestCase() once, init() and
// cleanup() around each test. No viewer ever shows a message.
struct Fixture
{
    std::unique_ptr<TestUtil::TemporaryMedia> media;
    std::unique_ptr<FakeDesktop> desktop;
    std::unique_ptr<RecordingSoundPlayer> sound;
    std::unique_ptr<RecordingPrinter> printer;
    std::unique_ptr<RecordingMessageBoxes> messages;

    void initTestCase()
    {
        TestUtil::initialise();
        desktop = std::make_unique<FakeDesktop>();
        sound = std::make_unique<RecordingSoundPlayer>();
        messages = std::make_unique<RecordingMessageBoxes>();
    }
    void init()
    {
        media = std::make_unique<TestUtil::TemporaryMedia>();
        installMedia(*media);
        printer = std::make_unique<RecordingPrinter>();
        sound->clear();
    }
    void cleanup()
    {
        unloadScreens();
        printer.reset();
        media.reset();
        QVERIFY(messages->shown().isEmpty());
    }
};

} // namespace ViewerTest
