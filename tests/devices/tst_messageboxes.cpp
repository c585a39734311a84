#include "recordingmessageboxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(MessageBoxes::Buttons)
Q_DECLARE_METATYPE(MessageBoxes::Result)

namespace {

// What the real box looked like when it was on show.
struct Seen
{
    bool found = false;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget *parent = nullptr;
};

} // namespace

class MessageBoxesTest : public QObject
{
    Q_OBJECT

private slots:
    void realBoxShowsExactTextAndCaption_data();
    void realBoxShowsExactTextAndCaption();
    void recordingBoxesRememberAndAnswerFromScript();
};

void MessageBoxesTest::realBoxShowsExactTextAndCaption_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<MessageBoxes::Buttons>("buttons");
    QTest::addColumn<QString>("press"); // "ok", "cancel" or "escape"
    QTest::addColumn<MessageBoxes::Result>("expected");

    using B = MessageBoxes::Buttons;
    using R = MessageBoxes::Result;
    QTest::newRow("success") << u"Your worksheet has been saved."_s << u"Ondel"_s << B::Ok
                             << u"ok"_s << R::Ok;
    QTest::newRow("failure, escape") << u"There was a problem printing to your printer."_s
                                     << u"Ondel"_s << B::Ok << u"escape"_s << R::Ok;
    QTest::newRow("confirm")
        << u"Are you sure that you want to delete the worksheet <b>Ponds</b>?"_s << QString()
        << B::OkCancel << u"ok"_s << R::Ok;
    QTest::newRow("decline") << u"Are you sure that you want to delete the worksheet Ponds?"_s
                             << QString() << B::OkCancel << u"cancel"_s << R::Cancel;
    QTest::newRow("decline, escape")
        << u"Are you sure that you want to delete the worksheet Ponds?"_s << QString()
        << B::OkCancel << u"escape"_s << R::Cancel;
}

void MessageBoxesTest::realBoxShowsExactTextAndCaption()
{
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(MessageBoxes::Buttons, buttons);
    QFETCH(QString, press);
    QFETCH(MessageBoxes::Result, expected);

    QWidget screen;
    screen.resize(400, 300);
    screen.show();
    QApplication::setActiveWindow(&screen);
    QVERIFY(QTest::qWaitForWindowActive(&screen));

    Seen seen;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = { true,
                 box->text(),
                 box->windowTitle(),
                 box->icon(),
                 box->standardButtons(),
                 box->parentWidget() };
        if (press == u"escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(press == u"ok" ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    });
    // A box left open would hang the test: close it after a while whatever happened.
    QTimer::singleShot(5000, this, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });

    MessageBoxes::install(nullptr);
    const MessageBoxes::Result result = MessageBoxes::current().show(text, caption, buttons);

    QVERIFY(seen.found);
    QCOMPARE(seen.text, text);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.parent, &screen);
    if (buttons == MessageBoxes::Buttons::Ok) {
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    } else {
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }
    QCOMPARE(result, expected);
    QVERIFY(!QApplication::activeModalWidget());
}

void MessageBoxesTest::recordingBoxesRememberAndAnswerFromScript()
{
    MessageBoxes &real = MessageBoxes::current();
    {
        RecordingMessageBoxes boxes;
        boxes.setAnswers({ MessageBoxes::Result::Cancel });
        auto &current = MessageBoxes::current();
        QCOMPARE(current.show(u"Delete?"_s, QString(), MessageBoxes::Buttons::OkCancel),
                 MessageBoxes::Result::Cancel);
        // Script used up: OK from here on.
        QCOMPARE(current.show(u"Delete now?"_s, u"Ondel"_s, MessageBoxes::Buttons::OkCancel),
                 MessageBoxes::Result::Ok);
        QCOMPARE(boxes.texts(), QStringList({ u"Delete?"_s, u"Delete now?"_s }));
        QCOMPARE(boxes.last().caption, u"Ondel"_s);
    }
    QCOMPARE(&MessageBoxes::current(), &real);
}

QTEST_MAIN(MessageBoxesTest)
#include "tst_messageboxes.moc"
