#pragma once

// What the quiz tests share: the program's built media in a temporary media root, the
// recording fakes, a made-up worksheet in memory, and driving the quiz as a pupil does.

#include "testutil.h"

#include "module1.h"
#include "optionbutton.h"
#include "quizopener.h"
#include "quizscreen.h"
#include "recordingmessageboxes.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"
#include "scriptedrandomsource.h"
#include "worksheetglobals.h"
#include "wronganswersscreen.h"

#include <QDir>
#include <QSet>

namespace QuizTest {

inline const QString clickSound = QStringLiteral("wav\\click.wav");
inline const QString typeSound = QStringLiteral("wav\\typekey.wav");
inline const QString problem = QStringLiteral("There was a problem printing to your printer.");

// A temporary media root holding the pictures and worksheets the quiz screens use, copied
// from the build's media folder.
class QuizMedia : public TestUtil::TemporaryMedia
{
public:
    QuizMedia()
    {
        const QDir built(QStringLiteral(ONDEL_BUILT_MEDIA_DIR));
        for (const char16_t *file :
             { u"images/waterliliessm.jpg", u"images/rivers1sm.jpg", u"images/rivers2sm.jpg",
               u"images/swan1.jpg", u"images/rivers1.jpg", u"images/rivers2.jpg",
               u"multiple/Rivers 1.txt", u"multiple/Rivers 2.txt", u"multiple/track.txt" }) {
            const QString relative = QString::fromUtf16(file);
            copy(built.filePath(relative), relative);
        }
    }
};

// Answer letter of question q in the made-up worksheet: A, B, C, D, A, ...
inline int madeUpCorrect(int q)
{
    return (q - 1) % 4 + 1;
}

// Fills the worksheet in memory with ten numbered questions.
inline void loadMadeUpWorksheet()
{
    worktitle = QStringLiteral("Test Rivers");
    for (int q = 1; q <= worksheetQuestionCount; ++q) {
        questions[q] = QStringLiteral("What is river fact %1?").arg(q);
        answera[q] = QStringLiteral("Answer %1A").arg(q);
        answerb[q] = QStringLiteral("Answer %1B").arg(q);
        answerc[q] = QStringLiteral("Answer %1C").arg(q);
        answerd[q] = QStringLiteral("Answer %1D").arg(q);
        correct[q] = QString::number(madeUpCorrect(q));
    }
}

// Clicks an answer on its round button, where a pupil clicks.
inline void chooseAnswer(QuizScreen *quiz, int option)
{
    OptionButton *button = quiz->Option1[option];
    TestUtil::click(button, 150, button->height() / 2);
}

inline int correctOption(int q)
{
    return correct[q].toInt();
}

inline int wrongOption(int q)
{
    return correctOption(q) % 4 + 1;
}

// Answers every question from the one on show to the last, right unless its number is in
// wrong, and clicks "Check Score >>" at the end.
inline void answerQuiz(const QSet<int> &wrong)
{
    for (int q = questnum; q <= worksheetQuestionCount; ++q) {
        chooseAnswer(multiple.get(), wrong.contains(q) ? wrongOption(q) : correctOption(q));
        TestUtil::click(multiple->label3[1]);
    }
}

// Waits until the results screen has run its steps after showing: picture, focus, lights,
// celebration.
inline bool resultsSettled()
{
    return QTest::qWaitFor([] {
        return !Welldone->Timer1->enabled() && !Welldone->Timer2->enabled()
            && !Welldone->Timer3->enabled();
    });
}

// Everything a quiz test installs, made afresh for each test function; the quiz screens are
// unloaded when it goes.
struct Fixture
{
    Fixture() { soundon = 1; }
    ~Fixture()
    {
        multiple.unload();
        Welldone.unload();
        Wrong.unload();
        TestUtil::processEvents();
    }

    QuizMedia media;
    FakeDesktop desktop;
    RecordingSoundPlayer sounds;
    RecordingMessageBoxes boxes;
    ScriptedRandomSource random;
};

// A control's rectangle in whole twips.
template<class Control> QRect twipsRect(const Control *c)
{
    return QRect(qRound(c->left()), qRound(c->top()), qRound(c->width()), qRound(c->height()));
}

// The current data row's tag, fit for a file name.
inline QString dataTag()
{
    return QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
}

} // namespace QuizTest
