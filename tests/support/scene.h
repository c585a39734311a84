#pragma once

// What a screen test sets up and puts away afterwards.

#include "testutil.h"
#include "worksheetdata.h"

#include "activityscreen.h"
#include "backdrop.h"
#include "cataloguescreen.h"
#include "checkbox.h"
#include "classrecord.h"
#include "classresultsscreen.h"
#include "fakedesktop.h"
#include "fieldreader.h"
#include "guideviewer.h"
#include "mainmenu.h"
#include "module1.h"
#include "optionbutton.h"
#include "pageviewer.h"
#include "pupilnamescreen.h"
#include "quizopener.h"
#include "quizscreen.h"
#include "recordingmessageboxes.h"
#include "recordingprinter.h"
#include "recordingsoundplayer.h"
#include "recordingspeechengine.h"
#include "resultsscreen.h"
#include "scriptedfiledialogs.h"
#include "scriptedrandomsource.h"
#include "teacherdoor.h"
#include "textbox.h"
#include "titlescreen.h"
#include "topicmenu.h"
#include "topics.h"
#include "wizardscreen.h"
#include "wronganswersscreen.h"

#include <QApplication>

inline const QString clickSound = QStringLiteral("wav\\click.wav");
inline const QString typeSound = QStringLiteral("wav\\typekey.wav");
inline const QString corrupted = QStringLiteral("This worksheet seems to be corrupted.");
inline const QString printProblem = QStringLiteral("There was a problem printing to your printer.");

// Unloads every screen and lets the deletions run, so the next test starts afresh.
inline void unloadScreens()
{
    const auto unload = [](auto &...screens) { (screens.unload(), ...); };
    unload(Titlefrm, intro0, teacher, guide, multiple, Welldone, Wrong, wizard, worksheets,
           pupilname, teacherdoor, classresults);
    for (const QString &topic : Topics::names()) {
        topicMenus()[topic].unload();
        activityScreens()[topic + QStringLiteral("lab")].unload();
        activityScreens()[topic + QStringLiteral("ord")].unload();
    }
    TestUtil::processEvents();
}

struct Scene
{
    Scene()
    {
        soundon = 1;
        // A fresh start: no pupil's name yet, the teachers' area shut.
        ClassRecord::setPupil(QString());
        TeacherDoor::lock();
        MainMenu::installNavigation();
    }
    ~Scene()
    {
        unloadScreens();
        QVERIFY(!FieldReader::anyFileOpen());
    }
    FakeDesktop desktop;
    TemporaryMedia media { TemporaryMedia::Built::Media };
    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    RecordingSoundPlayer sound;
    RecordingSpeechEngine speech;
    ScriptedRandomSource random;
};

// Shows a screen and waits until it is on the display.
template<class Screen> Screen *shown(Screen *screen)
{
    screen->show();
    return QTest::qWaitForWindowExposed(screen) ? screen : nullptr;
}

inline void clickTick(CheckBox *tick)
{
    TestUtil::click(tick, 8 * Twips::perPixel, tick->height() / 2);
}

// Clicks an answer of the quiz on its round button, where a pupil clicks.
inline void chooseAnswer(int option)
{
    OptionButton *button = multiple->Option1[option];
    TestUtil::click(button, 150, button->height() / 2);
}

inline int correctOption(int q)
{
    return correct[q].toInt();
}

// Answers the rest of the quiz, right unless the question's number is in wrong.
inline void answerQuiz(const QList<int> &wrong)
{
    for (int q = questnum; q <= worksheetQuestionCount; ++q) {
        chooseAnswer(wrong.contains(q) ? correctOption(q) % 4 + 1 : correctOption(q));
        TestUtil::click(multiple->label3[1]);
    }
}

// The results screen has run its steps after showing: picture, focus, lights, celebration.
inline bool resultsSettled()
{
    return QTest::qWaitFor([] {
        return !Welldone->Timer1->enabled() && !Welldone->Timer2->enabled()
            && !Welldone->Timer3->enabled();
    });
}

// Whether a pixel of the area of the picture has the colour.
inline bool shows(const QImage &picture, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (picture.pixelColor(x, y) == colour)
                return true;
    return false;
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

// Types every box of the worksheet into the wizard and clicks its ticks.
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
