#pragma once

// What the wizard and catalogue tests add: a media root with an empty catalogue and the
// pictures the screens show, typing a worksheet into the wizard as a teacher does, and
// putting every screen away.

#include "testutil.h"
#include "worksheettestdata.h"

#include "recordingmessageboxes.h"
#include "recordingsoundplayer.h"

#include "cataloguescreen.h"
#include "mainmenu.h"
#include "module1.h"
#include "quizscreen.h"
#include "resultsscreen.h"
#include "titlescreen.h"
#include "wizardscreen.h"
#include "wronganswersscreen.h"

#include <optional>

namespace ScreenFixture {

// A media root with an empty catalogue and the pictures of the menu, the quiz and the
// results screen, copied from the built media.
class Media : public TempMediaRoot
{
public:
    Media()
    {
        const QDir built(QStringLiteral(ONDEL_BUILT_MEDIA_DIR));
        for (const char16_t *file : { u"images/waterliliessm.jpg", u"images/swan1.jpg" }) {
            QDir().mkpath(path(QStringLiteral("images")));
            QFile::copy(built.filePath(QString::fromUtf16(file)), path(QString::fromUtf16(file)));
        }
        setCatalogue({});
    }
    void setCatalogue(const QStringList &titles) const
    {
        write(QStringLiteral("multiple/track.txt"), ::catalogueBytes(titles));
    }
    // A catalogue of these titles, each with its worksheet file.
    void setCatalogueWithFiles(const QStringList &titles) const
    {
        setCatalogue(titles);
        for (const QString &title : titles)
            write(QStringLiteral("multiple/%1.txt").arg(title),
                  worksheetBytes(sampleWorksheet(title)));
    }
    QStringList worksheetFiles() const
    {
        return QDir(multiple()).entryList(QDir::Files, QDir::Name);
    }
};

// Everything a screen test sets up: a fake desktop, the media root, recorded message boxes
// and sounds, with sound on, and the way back to the main menu as the program has it.
struct Scene
{
    Scene()
    {
        soundon = 1;
        MainMenu::installNavigation();
    }
    FakeDesktop desktop;
    Media media;
    RecordingMessageBoxes boxes;
    RecordingSoundPlayer sound;
};

inline WizardScreen *showWizard()
{
    wizard->show();
    return QTest::qWaitForWindowExposed(wizard.get()) ? wizard.get() : nullptr;
}

inline void clickTick(CheckBox *tick)
{
    TestUtil::click(tick, 8 * Twips::perPixel, tick->height() / 2);
}

// Types text key by key; characters beyond ASCII arrive as an input method delivers them.
inline void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Types every box of the worksheet and clicks its ticks, as a teacher fills the wizard.
inline void typeWorksheet(WizardScreen *screen, const WorksheetDraft &draft)
{
    typeText(screen->Text1, draft.title);
    for (int row = 0; row < 10; ++row)
        typeText(screen->Text2[row], draft.questions[row]);
    for (int index = 0; index < 40; ++index) {
        typeText(screen->Text3[index], draft.answers[index]);
        if (draft.ticks[index])
            clickTick(screen->Check1[index]);
    }
}

inline bool sameDraft(const WorksheetDraft &a, const WorksheetDraft &b)
{
    return a.title == b.title && a.questions == b.questions && a.answers == b.answers
        && a.ticks == b.ticks;
}

// Unloads every screen these tests may open and lets the deletions run.
inline void unloadScreens()
{
    worksheets.unload();
    wizard.unload();
    multiple.unload();
    Welldone.unload();
    Wrong.unload();
    intro0.unload();
    Titlefrm.unload();
    TestUtil::processEvents();
}

} // namespace ScreenFixture
