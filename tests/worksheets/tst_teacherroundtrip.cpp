#include "screenfixture.h"

#include "optionbutton.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// A teacher writes a worksheet in the wizard, saves it, finds it in the catalogue, a pupil
// takes it to full marks, the teacher edits it and finally removes it: every step through
// the screens' own buttons, boxes and tick boxes.
class TeacherRoundTripTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void cleanup() { ScreenFixture::unloadScreens(); }

    void writeSaveTakeEditAndDeleteAWorksheet()
    {
        ScreenFixture::Scene scene;
        auto &[desktop, media, boxes, sound] = scene;
        const QString title = u"Our River Walk"_s;
        const WorksheetDraft worksheet = sampleWorksheet(title);

        intro0->show();
        QVERIFY(QTest::qWaitForWindowExposed(intro0.get()));
        QTRY_VERIFY(!intro0->Timer1->enabled());

        // Write and save.
        TestUtil::click(intro0->Label2[17]);
        WizardScreen *writer = wizard.get();
        QVERIFY(QTest::qWaitForWindowExposed(writer));
        QVERIFY(intro0->isVisible());
        ScreenFixture::typeWorksheet(writer, worksheet);
        TestUtil::click(writer->label3[1]);
        QCOMPARE(boxes.texts(), QStringList { u"Your worksheet has been saved."_s });
        QCOMPARE(media.read(u"multiple/Our River Walk.txt"_s), worksheetBytes(worksheet));
        TestUtil::click(writer->label3[0]);
        QVERIFY(!wizard.isLoaded());

        // Find it in the catalogue.
        TestUtil::click(intro0->Label2[18]);
        TestUtil::processEvents();
        QVERIFY(!intro0.isLoaded());
        CatalogueScreen *catalogue = worksheets.get();
        QVERIFY(QTest::qWaitForWindowExposed(catalogue));
        QCOMPARE(catalogue->Label2[1]->caption(), title);
        QVERIFY(!catalogue->Label2[2]->visible());

        // A pupil takes it as a quiz to full marks.
        TestUtil::click(catalogue->Label2[1]);
        QuizScreen *quiz = multiple.get();
        QVERIFY(QTest::qWaitForWindowExposed(quiz));
        QCOMPARE(quiz->Label6->caption(), title);
        for (int q = 1; q <= 10; ++q) {
            QCOMPARE(quiz->Label2->caption(), worksheet.questions[q - 1]);
            OptionButton *answer = quiz->Option1[(q - 1) % 4 + 1];
            QCOMPARE(answer->caption(), worksheet.answers[4 * (q - 1) + (q - 1) % 4]);
            TestUtil::click(answer, 150, answer->height() / 2);
            TestUtil::click(quiz->label3[1]);
        }
        QCOMPARE(score, 10);
        QCOMPARE(outof, 10);
        QVERIFY(Welldone.isLoaded());
        TestUtil::click(Welldone->label3[1]);
        TestUtil::processEvents();
        QVERIFY(!Welldone.isLoaded());
        QVERIFY(worksheets.isLoaded());

        // Edit it: change question 2 and its answer, save.
        ScreenFixture::clickTick(catalogue->Check1);
        TestUtil::click(catalogue->Label2[1]);
        WizardScreen *editor = wizard.get();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QVERIFY(ScreenFixture::sameDraft(editor->draft(), worksheet));
        editor->Text2[1]->clear();
        ScreenFixture::typeText(editor->Text2[1], u"Which bridge is oldest?"_s);
        ScreenFixture::clickTick(editor->Check1[5]);
        ScreenFixture::clickTick(editor->Check1[6]);
        TestUtil::click(editor->label3[1]);
        QCOMPARE(boxes.last().text, u"Your worksheet has been saved."_s);
        WorksheetDraft edited = worksheet;
        edited.questions[1] = u"Which bridge is oldest?"_s;
        edited.ticks[5] = false;
        edited.ticks[6] = true;
        QCOMPARE(media.read(u"multiple/Our River Walk.txt"_s), worksheetBytes(edited));
        QCOMPARE(media.catalogueBytes(), QByteArray(" 1 \r\nOur River Walk\r\n"));
        TestUtil::click(editor->label3[0]);

        // Remove it from the catalogue.
        ScreenFixture::clickTick(catalogue->Check2);
        QVERIFY(!catalogue->Check1->value());
        TestUtil::click(catalogue->Label2[1]);
        QCOMPARE(boxes.last().text,
                 u"Are you sure that you want to delete the worksheet Our River Walk?"_s);
        QCOMPARE(media.catalogueBytes(), QByteArray(" 0 \r\n"));
        QVERIFY(QFileInfo::exists(media.path(u"multiple/Our River Walk.txt"_s)));
        QVERIFY(!catalogue->Label2[1]->visible());

        // Back to the menu, which lists nothing now.
        TestUtil::click(catalogue->Label2[0]);
        QVERIFY(intro0.isLoaded());
        QTRY_VERIFY(!intro0->Timer1->enabled());
        QCOMPARE(trackcount, 0);
        QCOMPARE(boxes.texts().size(), 3);
        QVERIFY(!sound.played().isEmpty());
        QVERIFY(sound.played().contains(u"wav\\typekey.wav"_s));
    }
};

QTEST_MAIN(TeacherRoundTripTest)
#include "tst_teacherroundtrip.moc"
