#include "testutil.h"

#include "picture.h"
#include "printer.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinterInfo>
#include <QUuid>

using namespace Qt::StringLiterals;
using TestUtil::runTool;

class SystemPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void printedPageArrivesAsPdf();
};

void SystemPrinterTest::printedPageArrivesAsPdf()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        QSKIP("No default printer (scripts/test sets up the cups-pdf printer ClassroomPDF).");

    QTemporaryDir dir;
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    QPainter(&image).fillRect(10, 10, 60, 40, Qt::darkGreen);
    const QString picturePath = dir.filePath(u"box.bmp"_s);
    QVERIFY(image.save(picturePath));

    Printer::install(nullptr);
    Printer &printer = Printer::current();
    const QString token = u"Ondel%1"_s.arg(QUuid::createUuid().toString(QUuid::Id128).left(10));
    const QString job = u"Ondel test "_s + token;
    TestUtil::removeCupsPdfs(job);
    printer.setDocumentName(job);

    const double w = printer.scaleWidth();
    qInfo("Default printer %s: drawing area %.0f x %.0f twips", qPrintable(info.printerName()), w,
          printer.scaleHeight());
    QVERIFY(w > 8000 && w < 13000);
    QVERIFY(printer.scaleHeight() > w);
    printer.setFontName(u"Times New Roman"_s);
    printer.setFontSize(16);
    printer.setCurrentX(w / 16);
    printer.print(token);
    printer.setFontSize(12);
    printer.setCurrentX(w * 2 / 6);
    printer.print(u"A. The source"_s, false);
    printer.setCurrentX(w * 4 / 6);
    printer.print(u"B. The mouth"_s);
    printer.paintPicture(Picture::fromFile(picturePath), 1000, 3000);
    printer.setDrawWidth(2);
    printer.line(QPointF(45, 270), QPointF(w - 45, 270));
    printer.endDoc();
    QVERIFY(!printer.inDocument());

    const QString pdf = TestUtil::waitForCupsPdf(job, 30000);
    QVERIFY2(!pdf.isEmpty(), qPrintable(TestUtil::cupsPdfMissing(job, 30000)));
    const QString text = runTool(u"pdftotext"_s, { u"-layout"_s, pdf, u"-"_s });
    QVERIFY(text.contains(token));
    QVERIFY(text.contains(u"A. The source"_s));
    QVERIFY(text.contains(u"B. The mouth"_s));

    const QString png = QDir(QStringLiteral(ONDEL_SCREENSHOT_DIR)).filePath(u"printer_cups"_s);
    runTool(u"pdftoppm"_s, { u"-png"_s, u"-r"_s, u"50"_s, u"-singlefile"_s, pdf, png });
    const QImage page(png + u".png"_s);
    QVERIFY(!page.isNull());
    // The picture's dark green box, somewhere around (1000, 3000) twips plus the margin.
    bool green = false;
    for (int y = 0; y < page.height() / 3 && !green; ++y) {
        for (int x = 0; x < page.width() / 3 && !green; ++x) {
            const QRgb pixel = page.pixel(x, y);
            green = qGreen(pixel) > 80 && qRed(pixel) < 60 && qBlue(pixel) < 60;
        }
    }
    QVERIFY(green);
    QFile::remove(pdf);
}

QTEST_MAIN(SystemPrinterTest)
#include "tst_systemprinter.moc"
