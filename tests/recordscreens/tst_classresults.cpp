#include "scene.h"

#include "resultscsv.h"
#include "settableclock.h"
#include "teacherpassword.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QHeaderView>
#include <QSettings>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime wednesday(QDate(2026, 12, 9), QTime(10, 0));
const QString basins = u"Rivers 1: Drainage Basins"_s;

RecordedResult quiz(const QString &pupil, int score, const QDateTime &when,
                    const QList<int> &wrong = {})
{
    return { pupil, basins, u"Multiple Choice"_s, score, 10, when, wrong };
}

// The smallest rectangle holding every pixel in which the two pictures differ.
QRect difference(const QImage &a, const QImage &b)
{
    QRect changed;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    return changed;
}

// Clicks a point (pixels) of a widget of a shown screen.
void clickAt(QWidget *widget, QPoint at)
{
    TestUtil::click(widget, Twips::fromPixels(at.x()), Twips::fromPixels(at.y()));
}

// A pupil's row as the grid shows it: the name, then each score.
QStringList gridRow(ClassResultsScreen *screen, int row)
{
    const QAbstractItemModel *model = screen->Grid1->model();
    QStringList texts { model->headerData(row, Qt::Vertical).toString() };
    for (int column = 0; column < model->columnCount(); ++column)
        texts += model->index(row, column).data().toString();
    return texts;
}

// Places every word of the activity in its own box by clicking the word, then the box.
void playActivity(ActivityScreen *activity)
{
    for (int i = 0; i < activity->Label2.count(); ++i) {
        TestUtil::click(activity->Label2[i]);
        TestUtil::click(activity->Label1[i]);
    }
    TestUtil::click(activity->label3[2]);
}

void typePassword(const QString &password)
{
    QTest::keyClicks(teacherdoor->Text1, password);
    QTest::keyClick(teacherdoor->Text1, Qt::Key_Return);
    TestUtil::processEvents();
}

} // namespace

class ClassResultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestUtil::initialise();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           m_settings.filePath(u"user"_s));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                           m_settings.filePath(u"sys"_s));
    }

    // The name asked once, and every score kept under it.
    void theRecordKeepsEveryScoreUnderTheNameAskedOnce()
    {
        Scene s;
        SettableClock clock(wednesday);
        RecordingPrinter printer;
        setRecord(true);
        s.media.write(u"multiple/pupils.txt"_s, "Amira\r\n\r\n  Ben  \r\nAmelia\r\nAmira\r\n");
        QVERIFY(shown(Titlefrm.get()));
        TestUtil::click(Titlefrm->Command1);
        QVERIFY(QTest::qWaitForWindowExposed(pupilname.get()) && !intro0.isLoaded());
        TestUtil::click(pupilname->label3[0]);
        QCOMPARE(pupilname->Label2->caption(), u"Please type your name first."_s);
        QCOMPARE(pupilname->Text1->accessibleName(), u"Your name"_s);

        QTest::keyClicks(pupilname->Text1, u"am"_s);
        QAbstractItemView *offered = pupilname->completer()->popup();
        QVERIFY(offered->isVisible());
        QStringList names;
        for (int row = 0; row < offered->model()->rowCount(); ++row)
            names += offered->model()->index(row, 0).data().toString();
        QCOMPARE(names, QStringList({ u"Amira"_s, u"Amelia"_s }));
        TestUtil::grabScreenshot(pupilname.get(), u"record_name_offered"_s);
        QTest::mouseClick(offered->viewport(), Qt::LeftButton, {},
                          offered->visualRect(offered->model()->index(0, 0)).center());
        QCOMPARE(pupilname->Text1->text(), u"Amira"_s);
        TestUtil::click(pupilname->label3[0]);
        TestUtil::processEvents();
        QVERIFY(!pupilname.isLoaded() && intro0->isVisible());

        QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s);
        answerQuiz({ 2, 5 });
        QVERIFY(resultsSettled());
        TestUtil::click(Welldone->label3[1]);
        clock.advanceSeconds(60);
        rivers1lab->show();
        playActivity(rivers1lab.get());
        QVERIFY(resultsSettled());
        QCOMPARE(Welldone->Text1->text(), u"Amira"_s);
        QVERIFY(Welldone->Text1->isReadOnly());
        TestUtil::click(Welldone->label3[0]);
        QVERIFY(printer.printedTexts().contains(u"Amira"_s));
        TestUtil::click(Welldone->label3[1]);

        const QList<RecordedResult> kept {
            quiz(u"Amira"_s, 8, wednesday, { 2, 5 }),
            { u"Amira"_s, basins, u"Labelling Activity"_s, 4, 4, wednesday.addSecs(60), {} },
        };
        QCOMPARE(ClassRecord::read().results, kept);
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + u"/ondel-worksheets"_s,
                   { u"--worksheets"_s, s.media.multiple(), u"results"_s, u"--csv"_s });
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.readAllStandardOutput(), ResultsCsv::file(kept, false));

        // Back to the title and on again: the name is not asked a second time.
        TestUtil::click(rivers1lab->label3[0]);
        TestUtil::click(intro0->Label2[16]);
        QVERIFY(shown(Titlefrm.get()));
        TestUtil::click(Titlefrm->Command1);
        TestUtil::processEvents();
        QVERIFY(!pupilname.isLoaded() && intro0->isVisible());
    }

    // Record off: nothing asked or written; on, only the button and the name box differ.
    void withTheRecordOffNothingIsWrittenAndNoScreenChanges()
    {
        Scene s;
        setRecord(false);
        QVERIFY(shown(Titlefrm.get()));
        TestUtil::click(Titlefrm->Command1);
        TestUtil::processEvents();
        QVERIFY(!pupilname.isLoaded() && intro0->isVisible());
        QImage results[2];
        QImage catalogue[2];
        for (bool on : { false, true }) {
            setRecord(on);
            ClassRecord::setPupil(on ? u"Amira"_s : QString());
            QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s);
            answerQuiz({});
            QVERIFY(resultsSettled());
            Welldone->Text1->clearFocus();
            results[on] = Welldone->grab().toImage();
            QCOMPARE(QFile::exists(ClassRecord::path()), on);
            TestUtil::click(Welldone->label3[1]);
            QVERIFY(shown(worksheets.get()));
            catalogue[on] = worksheets->grab().toImage();
            TestUtil::grabScreenshot(worksheets.get(), u"record_catalogue_%1"_s.arg(int(on)));
            TestUtil::click(worksheets->Label2[0]);
            TestUtil::processEvents();
        }
        const QRect changed = difference(results[0], results[1]);
        QVERIFY(!changed.isEmpty() && Welldone->Text1->geometry().contains(changed));
        const QRect button = worksheets->Label2[CatalogueScreen::classResultsButton]->geometry();
        QCOMPARE(difference(catalogue[0], catalogue[1]), button);
    }

    void classResultsShowTheGridAttemptsAndFilterAndExportPrintAndForget()
    {
        Scene s;
        SettableClock clock(wednesday);
        RecordingPrinter printer;
        setRecord(true);
        // Kept out of time order, and a name in lower case, which sorts among the others.
        QList<RecordedResult> record {
            quiz(u"Amira"_s, 6, wednesday.addDays(-3), { 1, 2, 3, 4 }),
            quiz(u"Amira"_s, 7, wednesday.addSecs(-3600), { 4, 6, 9 }),
            quiz(u"Amira"_s, 9, wednesday.addDays(-1)),
            { u"ben"_s, basins, u"Labelling Activity"_s, 4, 4, wednesday.addSecs(-600), {} },
            quiz(u"Zoë"_s, 10, wednesday.addDays(-2)),
        };
        record[4].title = u"Our River Walk"_s;
        s.media.write(u"multiple/results.csv"_s, ResultsCsv::file(record));
        QVERIFY(shown(worksheets.get()));
        TestUtil::click(worksheets->Label2[CatalogueScreen::classResultsButton]);
        ClassResultsScreen *screen = classresults.get();
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        QCOMPARE(gridRow(screen, 0), QStringList({ u"Amira"_s, {}, {}, u"7 (best 9)"_s }));
        QCOMPARE(gridRow(screen, 1), QStringList({ u"ben"_s, {}, u"4"_s, {} }));
        QCOMPARE(gridRow(screen, 2), QStringList({ u"Zoë"_s, u"10"_s, {}, {} }));
        QCOMPARE(screen->Grid1->model()->headerData(2, Qt::Horizontal).toString(),
                 basins + u"\nMultiple Choice\nout of 10"_s);

        clickAt(screen->Grid1->viewport(),
                screen->Grid1->visualRect(screen->Grid1->model()->index(0, 2)).center());
        QCOMPARE(screen->Label4->caption(), u"Amira: Rivers 1: Drainage Basins, Multiple Choice"_s);
        QStringList attempts;
        for (int i = 0; i < screen->List1->count(); ++i)
            attempts += screen->List1->item(i)->text();
        QCOMPARE(attempts,
                 QStringList({ u"Sunday 6 December 2026, 10:00:  6 out of 10;  wrong: questions "
                               u"1, 2, 3, 4"_s,
                               u"Tuesday 8 December 2026, 10:00:  9 out of 10"_s,
                               u"Wednesday 9 December 2026, 09:00:  7 out of 10;  wrong: "
                               u"questions 4, 6, 9"_s }));
        TestUtil::grabScreenshot(screen, u"record_class_results"_s);

        TestUtil::click(screen->Option1[ClassResultsScreen::Today]);
        QCOMPARE(gridRow(screen, 0), QStringList({ u"Amira"_s, {}, u"7"_s }));
        QCOMPARE(screen->Grid1->model()->rowCount(), 2);
        TestUtil::click(screen->Option1[ClassResultsScreen::ThisWeek]);
        QCOMPARE(gridRow(screen, 0), QStringList({ u"Amira"_s, {}, {}, u"7 (best 9)"_s }));
        QCOMPARE(gridRow(screen, 2), QStringList({ u"Zoë"_s, u"10"_s, {}, {} }));

        const QString exported = s.media.path(u"week.csv"_s);
        s.dialogs.setAnswers({ exported });
        TestUtil::click(screen->label3[ClassResultsScreen::Export]);
        QCOMPARE(s.media.read(u"week.csv"_s), ResultsCsv::file(record.mid(1)));
        QCOMPARE(s.boxes.last().text,
                 u"The class results have been exported to %1."_s.arg(exported));

        TestUtil::click(screen->label3[ClassResultsScreen::Print]);
        QCOMPARE(s.boxes.last().text, u"The class results are now printing."_s);
        const QStringList printed = printer.printedTexts();
        QCOMPARE(printed.mid(0, 2),
                 QStringList({ u"Class Results"_s, u"This week, from Monday 7 December 2026"_s }));
        QVERIFY(printed.contains(basins
                                 + u", Multiple Choice: latest 7 out of 10, best 9 out of 10, 2 "
                                   u"attempts"_s));
        QVERIFY(printed.contains(u"Wrong last time: 4, 6, 9"_s));

        s.boxes.clear();
        TestUtil::click(screen->label3[ClassResultsScreen::Forget]);
        QCOMPARE(s.boxes.texts(), QStringList { u"Click a pupil's name or score first."_s });
        s.boxes.setAnswers({ MessageBoxes::Result::Cancel, MessageBoxes::Result::Ok });
        QHeaderView *names = screen->Grid1->verticalHeader();
        clickAt(names->viewport(), { names->width() / 2, names->sectionViewportPosition(0) + 5 });
        TestUtil::click(screen->label3[ClassResultsScreen::Forget]);
        QCOMPARE(ClassRecord::read().results.size(), 5);
        TestUtil::click(screen->label3[ClassResultsScreen::Forget]);
        const QString sure = u"Are you sure that you want to remove every result of Amira? This "
                             u"cannot be undone."_s;
        QCOMPARE(s.boxes.texts().mid(1),
                 QStringList({ sure, sure, u"Every result of Amira has been removed."_s }));
        QCOMPARE(s.boxes.shown().at(1).caption, u"Ondel"_s);
        QCOMPARE(ClassRecord::read().results, record.mid(3));
        QCOMPARE(gridRow(screen, 0), QStringList({ u"ben"_s, {}, u"4"_s }));
    }

    void theTeachersAreaAsksForThePasswordOncePerStart()
    {
        Scene s;
        SettableClock clock(wednesday);
        setRecord(true);
        setCatalogueWithFiles(s.media, { u"Our River Walk"_s });
        QCOMPARE(TeacherPassword::set(u"Kingfisher 7"_s), QString());
        CatalogueScreen *screen = shown(worksheets.get());
        QVERIFY(screen);

        // Each teachers' action asks first, and Cancel leaves it undone.
        const std::function<void()> actions[] = {
            [screen] { clickTick(screen->Check1); },
            [screen] { clickTick(screen->Check2); },
            [screen] { TestUtil::click(screen->Label2[CatalogueScreen::importButton]); },
            [screen] { TestUtil::click(screen->Label2[CatalogueScreen::exportButton]); },
            [screen] { TestUtil::click(screen->Label2[CatalogueScreen::classResultsButton]); },
            [] { TestUtil::click(shown(wizard.get())->label3[1]); },
        };
        for (const auto &action : actions) {
            action();
            QVERIFY(teacherdoor.isLoaded() && QTest::qWaitForWindowExposed(teacherdoor.get()));
            TestUtil::click(teacherdoor->label3[1]);
            QVERIFY(!teacherdoor.isLoaded());
        }
        QVERIFY(!screen->Check1->value() && !screen->Check2->value());
        QVERIFY(!screen->exporting() && !classresults.isLoaded());
        QVERIFY(s.dialogs.asked().isEmpty() && s.boxes.shown().isEmpty());
        QCOMPARE(s.media.catalogue(), catalogueBytes({ u"Our River Walk"_s }));
        wizard.unload();
        // A pupil still takes a worksheet as a quiz.
        TestUtil::click(screen->Label2[1]);
        QVERIFY(multiple.isLoaded() && !teacherdoor.isLoaded());
        TestUtil::click(multiple->label3[2]);

        // Wrong tries, then a wait from the fifth on, counted down by the clock.
        clickTick(screen->Check1);
        QVERIFY(QTest::qWaitForWindowExposed(teacherdoor.get()));
        for (int i = 1; i <= 5; ++i) {
            typePassword(u"kingfisher 7"_s);
            QCOMPARE(teacherdoor->Text1->text(), QString());
            QCOMPARE(teacherdoor->Text1->isEnabled(), i < 5);
            if (i == 1)
                QCOMPARE(teacherdoor->Label2->caption(),
                         u"That is not the teacher password. Please try again."_s);
        }
        QCOMPARE(teacherdoor->Label2->caption(),
                 u"Too many wrong tries. Please wait 5 seconds, then try again."_s);
        TestUtil::grabScreenshot(teacherdoor.get(), u"record_password_wait"_s);
        clock.advanceSeconds(4);
        QTRY_COMPARE(teacherdoor->Label2->caption(),
                     u"Too many wrong tries. Please wait 1 second, then try again."_s);
        QVERIFY(!teacherdoor->label3[0]->isEnabled());
        clock.advanceSeconds(1);
        QTRY_VERIFY(teacherdoor->Text1->isEnabled());
        QCOMPARE(teacherdoor->Label2->caption(), u"Please type the teacher password."_s);
        typePassword(u"Kingfisher 7"_s);
        QVERIFY(!teacherdoor.isLoaded() && screen->Check1->value());

        // Once given, every teachers' action goes ahead for the rest of the run.
        clickTick(screen->Check2);
        QVERIFY(screen->Check2->value() && !screen->Check1->value());
        TestUtil::click(screen->Label2[CatalogueScreen::classResultsButton]);
        QVERIFY(!teacherdoor.isLoaded() && classresults.isLoaded());
        classresults.unload();

        // Cleared, nothing asks.
        QCOMPARE(TeacherPassword::clear(), QString());
        TeacherDoor::lock();
        clickTick(screen->Check1);
        QVERIFY(screen->Check1->value() && !teacherdoor.isLoaded());
    }

private:
    void setRecord(bool on)
    {
        QSettings(m_settings.filePath(u"user/ondel/ondel.conf"_s), QSettings::IniFormat)
            .setValue(u"classRecord"_s, on);
    }

    QTemporaryDir m_settings;
};

QTEST_MAIN(ClassResultsTest)
#include "tst_classresults.moc"
