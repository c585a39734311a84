#include "testutil.h"

#include "messageboxes.h"
#include "randomsource.h"
#include "recordingprinter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using Kind = PrinterCall::Kind;

Q_DECLARE_METATYPE(MessageBoxes::Buttons)
Q_DECLARE_METATYPE(MessageBoxes::Result)

// The real message boxes, random numbers and the printer's page logic.
class DevicesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }

    void messageBoxShowsTextCaptionAndButtons_data()
    {
        QTest::addColumn<MessageBoxes::Buttons>("buttons");
        QTest::addColumn<int>("press"); // a standard button, or 0 for Escape
        QTest::addColumn<MessageBoxes::Result>("expected");
        using B = MessageBoxes::Buttons;
        using R = MessageBoxes::Result;
        QTest::newRow("OK") << B::Ok << int(QMessageBox::Ok) << R::Ok;
        QTest::newRow("decline") << B::OkCancel << int(QMessageBox::Cancel) << R::Cancel;
        QTest::newRow("decline, escape") << B::OkCancel << 0 << R::Cancel;
    }

    void messageBoxShowsTextCaptionAndButtons()
    {
        QFETCH(MessageBoxes::Buttons, buttons);
        QFETCH(int, press);
        QFETCH(MessageBoxes::Result, expected);
        QWidget screen;
        screen.show();
        QApplication::setActiveWindow(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        const QString text = u"Delete the worksheet <b>Ponds</b>?"_s;
        QString seen;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = u"%1|%2|%3|%4|%5"_s.arg(box->text(), box->windowTitle())
                       .arg(int(box->icon()))
                       .arg(int(box->standardButtons()))
                       .arg(box->parentWidget() == &screen);
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QTimer::singleShot(5000, this, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        MessageBoxes::install(nullptr);
        QCOMPARE(MessageBoxes::current().show(text, u"Ondel"_s, buttons), expected);
        const bool ok = buttons == MessageBoxes::Buttons::Ok;
        QCOMPARE(seen,
                 u"%1|Ondel|%2|%3|1"_s.arg(text)
                     .arg(int(ok ? QMessageBox::Information : QMessageBox::Question))
                     .arg(int(ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel)));
    }

    // Lines, pages, the reset at a document's end, and a failing call.
    void printerKeepsItsPlaceOnThePage()
    {
        RecordingPrinter printer(QSizeF(11000, 5000));
        printer.setFontName(u"Times New Roman"_s);
        printer.setFontSize(36);
        const double width = printer.textWidth(u"Ondel"_s); // 2.444 em of 36 pt in twips
        QVERIFY2(width > 1720 && width < 1800, qPrintable(QString::number(width)));
        printer.setFontSize(12);
        const double line = printer.textHeight();
        printer.setCurrentX(1500);
        printer.print(u"A. "_s, false);
        QCOMPARE(printer.currentX(), 1500 + printer.textWidth(u"A. "_s));
        printer.print(u"Source"_s);
        QCOMPARE(QPointF(printer.currentX(), printer.currentY()), QPointF(0, line));
        const int fitting = int(5000 / line);
        for (int i = 2; i <= fitting + 2; ++i)
            printer.print(u"Line %1"_s.arg(i));
        QCOMPARE(printer.calls(Kind::NewPage).size(), 1);
        QCOMPARE(printer.calls(Kind::Print)[fitting - 1].page, 1);
        QVERIFY(printer.calls(Kind::Print)[fitting - 1].y + line <= 5000);
        QVERIFY(printer.calls(Kind::Print).last().y < 2 * line);
        QCOMPARE(printer.page(), 2);
        printer.setForeColor(Qt::red);
        printer.endDoc();
        QCOMPARE(printer.documentsEnded(), 1);
        QCOMPARE(printer.fontName(), u"Arial"_s);
        QCOMPARE(printer.fontSize(), 10.0);
        QCOMPARE(printer.foreColor(), QColor(Qt::black));
        QCOMPARE(printer.currentY(), 0.0);

        printer.failFromCall(1, u"Out of paper"_s);
        printer.clear();
        QString message;
        try {
            printer.print(u"Ondel"_s);
            printer.print(u"Rivers"_s);
        } catch (const PrinterError &error) {
            message = QString::fromUtf8(error.what());
        }
        QCOMPARE(message, u"Out of paper"_s);
        QVERIFY(!printer.inDocument());
        QCOMPARE(printer.currentY(), 0.0);
    }
};

QTEST_MAIN(DevicesTest)
#include "tst_devices.moc"
