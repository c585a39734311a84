#include "testutil.h"

#include "checkbox.h"
#include "commandbutton.h"
#include "controlarray.h"
#include "fakedesktop.h"
#include "form.h"
#include "frame.h"
#include "imagebox.h"
#include "label.h"
#include "line.h"
#include "optionbutton.h"
#include "picturebox.h"
#include "textbox.h"
#include "timer.h"

#include <QPainter>
#include <QtTest>

using namespace Qt::StringLiterals;

// One screen with every kind of control, laid out like the program's menus, so a screenshot
// shows fonts, colours, borders and greyed text together.
class SampleScreen final : public Form
{
    Q_OBJECT

public:
    SampleScreen()
    {
        setCaption(u"Ondel"_s);
        setBackColor(QColor(0, 78, 152));
        resize(12000, 9000);

        Label1->move(0, 120, 12000, 900);
        Label1->setCaption(u"Ondel"_s);
        Label1->setFont(u"Tahoma"_s, 32.25, true);
        Label1->setForeColor(QColor(255, 255, 0));
        Label1->setBackStyle(BackStyle::Transparent);
        Label1->setAlignment(Alignment::Center);

        struct Entry
        {
            int index;
            const char16_t *caption;
            double left, top, width, height, size;
            bool enabled;
        };
        static constexpr Entry entries[] = {
            { 20, u"Teachers' Guide", 120, 1080, 3075, 495, 14.25, true },
            { 0, u"The Water Cycle", 120, 3360, 2715, 375, 12, false },
            { 5, u"Rivers 1", 120, 4200, 2715, 375, 12, true },
            { 6, u"Rivers 2", 120, 5040, 2715, 375, 12, true },
            { 3, u"Water for Life", 3000, 3360, 2715, 375, 12, false },
            { 16, u"Exit", 10560, 7920, 1245, 495, 18, true },
        };
        for (const Entry &entry : entries) {
            Label *label = Label2.create(entry.index, this);
            label->move(entry.left, entry.top, entry.width, entry.height);
            label->setCaption(QString::fromUtf16(entry.caption));
            label->setFont(u"Tahoma"_s, entry.size, true);
            label->setForeColor(QColor(255, 255, 0));
            label->setBackColor(QColor(0, 0, 0));
            label->setBorderStyle(BorderStyle::FixedSingle);
            label->setAlignment(Alignment::Center);
            label->setEnabled(entry.enabled);
            label->setButton(true);
        }
        // One entry unlit, to show the transparent look over the form.
        Label2[6]->setBackStyle(BackStyle::Transparent);

        Frame1->move(6120, 1080, 5655, 3975);
        Frame1->setBackColor(QColor(0, 78, 152));
        Image1->move(120, 240, 5400, 3600);

        Option1->move(10440, 5280, 1455, 255);
        Option2->move(10440, 5640, 1455, 255);
        for (OptionButton *option : { Option1, Option2 }) {
            option->setFont(u"Tahoma"_s, 9.75, true);
            option->setBackColor(QColor(0, 78, 152));
            option->setForeColor(QColor(255, 255, 0));
        }
        Option1->setCaption(u"Sound On"_s);
        Option2->setCaption(u"Sound Off"_s);
        Option1->setValue(true);

        Check1->move(6120, 5280, 2535, 375);
        Check1->setCaption(u"Edit Worksheet"_s);
        Check1->setFont(u"Tahoma"_s, 12, true);
        Check1->setBackColor(QColor(0, 78, 152));
        Check1->setForeColor(QColor(255, 255, 0));

        Text1->move(6120, 5880, 4215, 375);
        Text1->setFont(u"Times New Roman"_s, 12);
        Text1->setMaxLength(25);
        Text1->setText(u"Rivers and their valleys"_s);

        Picture1->move(3600, 6000, 855, 615);
        Picture1->setBackColor(QColor(49, 135, 214));

        Command1->move(6120, 6600, 1335, 375);
        Command1->setCaption(u"OK"_s);
        Command2->move(7560, 6600, 1335, 375);
        Command2->setCaption(u"Exit"_s);

        Line1->setPoints(2835, 4387, 3600, 6000);
        Line1->setColor(QColor(255, 255, 0));
        Line1->setBorderWidth(2);

        Label3->move(0, 8280, 12000, 375);
        Label3->setCaption(u"Ondel classroom software"_s);
        Label3->setFont(u"Tahoma"_s, 9.75);
        Label3->setForeColor(QColor(255, 255, 0));
        Label3->setBackStyle(BackStyle::Transparent);
        Label3->setAlignment(Alignment::Center);

        Label5->move(120, 6840, 3300, 1000);
        Label5->setCaption(u"A long text wraps inside its label at word breaks."_s);
        Label5->setFont(u"Times New Roman"_s, 14.25);
        Label5->setForeColor(QColor(0, 0, 255));
        Label5->setBackColor(QColor(255, 255, 255));
    }

    Label *Label1 = new Label(this, u"Label1"_s);
    ControlArray<Label> Label2 { u"Label2"_s };
    Frame *Frame1 = new Frame(this, u"Frame1"_s);
    ImageBox *Image1 = new ImageBox(Frame1, u"Image1"_s);
    OptionButton *Option1 = new OptionButton(this, u"Option1"_s);
    OptionButton *Option2 = new OptionButton(this, u"Option2"_s);
    CheckBox *Check1 = new CheckBox(this, u"Check1"_s);
    TextBox *Text1 = new TextBox(this, u"Text1"_s);
    PictureBox *Picture1 = new PictureBox(this, u"Picture1"_s);
    CommandButton *Command1 = new CommandButton(this, u"Command1"_s);
    CommandButton *Command2 = new CommandButton(this, u"Command2"_s);
    Line *Line1 = new Line(this, u"Line1"_s);
    Label *Label3 = new Label(this, u"Label3"_s);
    Label *Label5 = new Label(this, u"Label5"_s);
    Timer *Timer1 = new Timer(this, u"Timer1"_s);
};

class SampleFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void everyControlKindOnOneScreen()
    {
        TestUtil::TemporaryMedia media;
        QImage photo(360, 240, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient sky(0, 0, 0, 240);
        sky.setColorAt(0, QColor(120, 180, 240));
        sky.setColorAt(1, QColor(20, 90, 60));
        painter.fillRect(photo.rect(), sky);
        painter.setBrush(QColor(240, 240, 250));
        painter.drawEllipse(QPoint(180, 150), 60, 30);
        painter.end();
        QVERIFY(QDir().mkpath(media.path(u"images"_s)));
        QVERIFY(photo.save(media.path(u"images/waterliliessm.jpg"_s)));
        QVERIFY(photo.scaled(40, 30).save(media.path(u"images/rivers1sm.jpg"_s)));

        FakeDesktop desktop(1024, 768);
        SampleScreen screen;
        screen.Image1->loadPicture(u"Images\\waterliliessm.jpg"_s);
        screen.Picture1->loadPicture(u"images\\rivers1sm.jpg"_s);
        screen.move(1680, 1260);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));

        const QString file = TestUtil::grabScreenshot(&screen, u"platform-sample-form"_s);
        QVERIFY(!file.isEmpty());
        const QImage shot(file);
        QCOMPARE(shot.size(), QSize(800, 600));
        QCOMPARE(shot.pixelColor(400, 590), QColor(0, 78, 152));
        // The picture sits inside the frame at its natural size.
        QCOMPARE(shot.pixelColor(408 + 8 + 180, 72 + 16 + 150), QColor(240, 240, 250));
        // The lit entry shows its black back colour, the unlit one the form's.
        const QRect rivers1 = screen.Label2[5]->geometry();
        const QRect rivers2 = screen.Label2[6]->geometry();
        QCOMPARE(shot.pixelColor(rivers1.left() + 4, rivers1.bottom() - 4), QColor(0, 0, 0));
        QCOMPARE(shot.pixelColor(rivers2.left() + 4, rivers2.bottom() - 4), QColor(0, 78, 152));
        screen.hide();
    }
};

QTEST_MAIN(SampleFormTest)
#include "tst_sampleform.moc"
