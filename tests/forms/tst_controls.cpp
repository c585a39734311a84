#include "testutil.h"

#include "checkbox.h"
#include "controlarray.h"
#include "form.h"
#include "frame.h"
#include "imagebox.h"
#include "label.h"
#include "line.h"
#include "optionbutton.h"
#include "picturebox.h"
#include "textbox.h"
#include "timer.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class ControlsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Form> m_form;

    template<class T>
    T *make(const QString &name, double left, double top, double width, double height,
            QWidget *parent = nullptr)
    {
        T *control = new T(parent ? parent : m_form.get(), name);
        control->move(left, top, width, height);
        return control;
    }

    void showForm()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void init()
    {
        m_form = std::make_unique<Form>();
        m_form->resize(12000, 9000);
        m_form->setBackColor(QColor(0, 78, 152));
    }

    void cleanup()
    {
        m_form->hide();
        m_form.reset();
    }

    void optionButtonsFormOneGroupPerContainer()
    {
        auto *on = make<OptionButton>(u"Option1"_s, 10440, 120, 1455, 255);
        auto *off = make<OptionButton>(u"Option2"_s, 10440, 480, 1455, 255);
        auto *frame = make<Frame>(u"Frame1"_s, 120, 1200, 4000, 2000);
        ControlArray<OptionButton> answers { u"Option1"_s };
        for (int i = 1; i <= 2; ++i)
            answers.create(i, frame)->move(120, 240 + 400 * i, 3000, 375);
        on->setCaption(u"Sound On"_s);
        on->setValue(true);
        showForm();

        QList<int> answerClicks;
        answers.connect(&OptionButton::clicked, this,
                        [&answerClicks](int index) { answerClicks << index; });
        QSignalSpy offClicks(off, &OptionButton::clicked);
        QSignalSpy onClicks(on, &OptionButton::clicked);

        TestUtil::click(off);
        QCOMPARE(offClicks.count(), 1);
        QVERIFY(off->value());
        QVERIFY(!on->value());

        TestUtil::click(answers[2]);
        QCOMPARE(answerClicks, QList<int>({ 2 }));
        QVERIFY(answers[2]->value());
        QVERIFY(off->value());

        // Setting the value in code fires nothing, and may clear the whole group.
        on->setValue(true);
        QVERIFY(!off->value());
        answers[2]->setValue(false);
        QVERIFY(!answers[1]->value() && !answers[2]->value());
        QCOMPARE(onClicks.count(), 0);
        QCOMPARE(answerClicks.size(), 1);

        // An option hidden under another control still takes the focus when given it.
        auto *cover = make<PictureBox>(u"Picture1"_s, 120, 240, 3000, 1000, frame);
        cover->raise();
        answers[1]->move(240, 360);
        answers[1]->setFocus();
        QVERIFY(answers[1]->hasFocus());
    }

    void tickBoxReportsUserChangesOnly()
    {
        auto *edit = make<CheckBox>(u"Check1"_s, 120, 120, 2535, 375);
        edit->setCaption(u"Edit Worksheet"_s);
        showForm();
        QSignalSpy clicks(edit, &CheckBox::clicked);
        QCOMPARE(edit->value(), 0);
        TestUtil::click(edit);
        QCOMPARE(edit->value(), 1);
        QCOMPARE(clicks.count(), 1);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Space);
        QCOMPARE(edit->value(), 0);
        QCOMPARE(clicks.count(), 2);
        edit->setValue(1);
        QCOMPARE(edit->value(), 1);
        QCOMPARE(clicks.count(), 2);

        // Yellow on blue as the catalogue has it: the box stays white with a dark tick.
        edit->setBackColor(QColor(0, 78, 152));
        edit->setForeColor(QColor(255, 255, 0));
        const QImage shot = edit->grab().toImage();
        int white = 0;
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < 18; ++x) {
                const QColor c = shot.pixelColor(x, y);
                white += c == QColor(255, 255, 255);
                dark += c.lightness() < 60;
            }
        }
        QVERIFY(white > 20);
        QVERIFY(dark > 5);
    }

    void textBoxLimitsLengthAndReportsKeys()
    {
        auto *name = make<TextBox>(u"Text1"_s, 3120, 6600, 5760, 615);
        name->setMaxLength(25);
        name->setFont(u"Times New Roman"_s, 24);
        showForm();
        QList<int> keys;
        connect(name, &TextBox::keyPress, this, [&keys](int key) { keys << key; });
        QSignalSpy changes(name, &TextBox::changed);

        name->setFocus();
        QTest::keyClicks(name, u"Abcdefghijklmnopqrstuvwxyz0123"_s);
        QCOMPARE(name->text(), u"Abcdefghijklmnopqrstuvwxy"_s);
        QCOMPARE(keys.size(), 30);
        QCOMPARE(keys.first(), int('A'));
        QCOMPARE(changes.count(), 25);

        keys.clear();
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClick(name, Qt::Key_Shift);
        QCOMPARE(keys, QList<int>({ 13, 8 }));
        QCOMPARE(name->text().size(), 24);

        name->setText(u"Ann"_s);
        QCOMPARE(changes.count(), 27);
        QCOMPARE(QFontInfo(name->font()).family(), u"Liberation Serif"_s);
    }

    void imageTakesItsPictureSizeAndKeepsItWhileHidden()
    {
        TestUtil::TemporaryMedia media;
        QImage photo(64, 48, QImage::Format_RGB32);
        photo.fill(QColor(10, 200, 30));
        QVERIFY(QDir().mkpath(media.path(u"images"_s)));
        QVERIFY(photo.save(media.path(u"images/photo.jpg"_s)));

        auto *image = make<ImageBox>(u"Image1"_s, 2640, 1080, 4800, 3600);
        image->loadPicture(u"Images\\photo.jpg"_s);
        QCOMPARE(image->width(), 960.0);
        QCOMPARE(image->height(), 720.0);
        QCOMPARE(image->QWidget::size(), QSize(64, 48));
        image->hide();
        QCOMPARE(image->picture().sizePixels(), QSize(64, 48));

        // A missing file leaves the image empty at the size it had.
        image->loadPicture(u"images\\missing.jpg"_s);
        QVERIFY(image->picture().isNull());
        QCOMPARE(image->width(), 960.0);
    }

    void pictureBoxDrawsAtNaturalSizeClipped()
    {
        TestUtil::TemporaryMedia media;
        QImage big(200, 200, QImage::Format_RGB32);
        big.fill(QColor(255, 0, 0));
        QVERIFY(big.save(media.path(u"big.bmp"_s)));
        QImage small(10, 10, QImage::Format_RGB32);
        small.fill(QColor(0, 255, 0));
        QVERIFY(small.save(media.path(u"small.bmp"_s)));

        auto *box = make<PictureBox>(u"Picture1"_s, 6240, 240, 855, 615);
        box->setBackColor(QColor(49, 135, 214));
        QCOMPARE(box->QWidget::size(), QSize(57, 41));
        box->loadPicture(u"small.bmp"_s);
        QImage shot = box->grab().toImage();
        QCOMPARE(shot.pixelColor(3, 3), QColor(0, 255, 0));
        QCOMPARE(shot.pixelColor(30, 30), QColor(49, 135, 214));
        QCOMPARE(shot.pixelColor(0, 0), QColor(128, 128, 128));

        box->loadPicture(u"big.bmp"_s);
        QCOMPARE(box->QWidget::size(), QSize(57, 41));
        shot = box->grab().toImage();
        QCOMPARE(shot.pixelColor(54, 38), QColor(255, 0, 0));
        QCOMPARE(shot.pixelColor(56, 40), QColor(255, 255, 255));
    }

    void lineLetsThePointerThrough()
    {
        auto *line = new Line(m_form.get(), u"Line1"_s);
        line->setPoints(1500, 1500, 4500, 3000);
        line->setColor(QColor(255, 255, 0));
        line->setBorderWidth(2);
        QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(line->geometry().contains(QPoint(100, 100)));
        QVERIFY(line->geometry().contains(QPoint(300, 200)));
        QCOMPARE(m_form->childAt(200, 150), nullptr);
        const QImage shot = m_form->grab().toImage();
        QCOMPARE(shot.pixelColor(200, 150), QColor(255, 255, 0));
        QCOMPARE(shot.pixelColor(200, 100), QColor(0, 78, 152));
    }

    void timerTicksOnlyWhileEnabled()
    {
        Timer timer(m_form.get(), u"Timer1"_s);
        timer.setInterval(1);
        QSignalSpy ticks(&timer, &Timer::tick);
        TestUtil::processEvents(20);
        QCOMPARE(ticks.count(), 0);

        // The one-shot step: enabled during the load, disabled by its own first tick.
        connect(&timer, &Timer::tick, &timer, [&timer] { timer.setEnabled(false); });
        timer.setEnabled(true);
        QVERIFY(ticks.wait(1000));
        TestUtil::processEvents(20);
        QCOMPARE(ticks.count(), 1);
        QVERIFY(!timer.enabled());

        timer.setInterval(0);
        timer.setEnabled(true);
        TestUtil::processEvents(20);
        QCOMPARE(ticks.count(), 1);
    }
};

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
