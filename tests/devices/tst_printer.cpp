#include "testutil.h"

#include "pdfprinter.h"
#include "picture.h"
#include "recordingprinter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;
using Kind = PrinterCall::Kind;
using TestUtil::runTool;

namespace {

const QString serif = u"Times New Roman"_s;

// A bitmap with a red frame and a blue cross, saved as BMP; 80 x 60 pixels = 1200 x 900 twips.
QString writePicture(const QString &folder)
{
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red, 4));
    painter.drawRect(2, 2, 76, 56);
    painter.setPen(QPen(Qt::blue, 3));
    painter.drawLine(0, 0, 80, 60);
    painter.drawLine(0, 60, 80, 0);
    painter.end();
    const QString path = QDir(folder).filePath(u"frame.bmp"_s);
    return image.save(path) ? path : QString();
}

// A print-out in the manner of the page viewers: a blank line, a picture, end.
void printPage(Printer &printer, const Picture &picture)
{
    printer.print();
    printer.paintPicture(picture, 1000, 1000);
    printer.endDoc();
}

} // namespace

class PrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void textMetricsAreTheRealFontInTwips();
    void printMovesDownALineOrStaysAfterText();
    void lineUsesDrawWidthAndEndsAtItsEnd();
    void pictureIsDrawnAtNaturalSize();
    void lineBelowThePageFootStartsANewPage();
    void endDocSendsAndStartsAfresh();
    void failureStopsThePrintOutAtThatCall_data();
    void failureStopsThePrintOutAtThatCall();
    void pdfPrinterWritesWhatWasPrinted();
    void pdfPrinterContinuesOnASecondPage();

private:
    QTemporaryDir m_dir;
    QString m_picturePath;
};

void PrinterTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_picturePath = writePicture(m_dir.path());
    QVERIFY(!m_picturePath.isEmpty());
}

void PrinterTest::init()
{
    Printer::install(nullptr);
}

void PrinterTest::textMetricsAreTheRealFontInTwips()
{
    RecordingPrinter printer;
    printer.setFontName(serif);
    printer.setFontSize(36);
    // "Ondel" in Times New Roman's metrics is 2.444 em: 88 pt, 1760 twips, at 36 pt.
    const double width = printer.textWidth(u"Ondel"_s);
    QVERIFY2(width > 1720 && width < 1800, qPrintable(QString::number(width)));
    // One line is ascent plus descent, 1.107 em: about 797 twips at 36 pt.
    const double height = printer.textHeight();
    QVERIFY2(height > 780 && height < 815, qPrintable(QString::number(height)));

    printer.setFontSize(18);
    QVERIFY(qAbs(printer.textWidth(u"Ondel"_s) * 2 - width) < width * 0.01);
    printer.setFontBold(true);
    QVERIFY(printer.textWidth(u"Ondel"_s) > width / 2);
    QCOMPARE(printer.textWidth(QString()), 0.0);
}

void PrinterTest::printMovesDownALineOrStaysAfterText()
{
    RecordingPrinter printer;
    printer.setFontName(serif);
    printer.setFontSize(25);
    const double line = printer.textHeight();
    printer.setCurrentX(1500);
    printer.print(u" "_s);
    QCOMPARE(printer.currentX(), 0.0);
    QCOMPARE(printer.currentY(), line);

    const QString strip = u"   Well Done      Well Done     Well Done     Well Done    "_s;
    printer.print(strip + strip, false);
    const double stripWidth = printer.textWidth(strip + strip);
    QCOMPARE(printer.currentX(), stripWidth);
    QCOMPARE(printer.currentY(), line);
    // The doubled strip runs past the right edge; nothing wraps.
    QVERIFY(printer.currentX() > printer.scaleWidth());

    printer.print(u" "_s);
    QCOMPARE(printer.currentX(), 0.0);
    QCOMPARE(printer.currentY(), 2 * line);
    printer.print();
    QCOMPARE(printer.currentY(), 3 * line);

    printer.setFontSize(36);
    const double bigLine = printer.textHeight();
    printer.print(u"Ondel"_s);
    QCOMPARE(printer.currentY(), 3 * line + bigLine);

    const QList<PrinterCall> prints = printer.calls(Kind::Print);
    QCOMPARE(prints.size(), 5);
    QCOMPARE(QPointF(prints[0].x, prints[0].y), QPointF(1500, 0));
    QCOMPARE(QPointF(prints[2].x, prints[2].y), QPointF(stripWidth, line));
    QCOMPARE(prints[4].y, 3 * line);
    QCOMPARE(printer.printedTexts(),
             QStringList({ u" "_s, strip + strip, u" "_s, QString(), u"Ondel"_s }));
}

void PrinterTest::lineUsesDrawWidthAndEndsAtItsEnd()
{
    RecordingPrinter printer;
    printer.setDrawWidth(2);
    printer.line(QPointF(45, 270), QPointF(45, 15000), QColor(0, 0, 255));
    const PrinterCall line = printer.calls(Kind::Line).value(0);
    QCOMPARE(line.line, QLineF(45, 270, 45, 15000));
    QCOMPARE(line.drawWidth, 2);
    QCOMPARE(line.colour, QColor(0, 0, 255));
    QCOMPARE(QPointF(printer.currentX(), printer.currentY()), QPointF(45, 15000));
    QVERIFY(printer.inDocument());
}

void PrinterTest::pictureIsDrawnAtNaturalSize()
{
    RecordingPrinter printer;
    printPage(printer, Picture::fromFile(m_picturePath));
    const QList<PrinterCall> pictures = printer.calls(Kind::PaintPicture);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(pictures[0].target, QRectF(1000, 1000, 1200, 900));
    QCOMPARE(pictures[0].text, m_picturePath);
    QCOMPARE(printer.documentsEnded(), 1);

    // A missing picture draws nothing, and the page still goes out.
    printer.clear();
    printPage(printer, Picture::load(u"wmf2\\no such page.wmf"_s));
    QCOMPARE(printer.calls(Kind::PaintPicture).size(), 1);
    QCOMPARE(printer.calls(Kind::PaintPicture)[0].target.size(), QSizeF(0, 0));
    QCOMPARE(printer.documentsEnded(), 2);
}

void PrinterTest::lineBelowThePageFootStartsANewPage()
{
    RecordingPrinter printer(QSizeF(11000, 5000));
    printer.setFontName(serif);
    printer.setFontSize(12);
    const double line = printer.textHeight();
    const int fitting = int(5000 / line);
    for (int i = 1; i <= fitting + 2; ++i)
        printer.print(u"Question %1"_s.arg(i));
    QCOMPARE(printer.calls(Kind::NewPage).size(), 1);
    const QList<PrinterCall> prints = printer.calls(Kind::Print);
    QCOMPARE(prints[fitting - 1].page, 1);
    QVERIFY(prints[fitting - 1].y + line <= 5000);
    // The first line that would pass the foot goes to the top of page 2.
    QCOMPARE(printer.page(), 2);
    QCOMPARE(printer.currentY(), 2 * line);
    QCOMPARE(prints[fitting + 1].y, line);
    QCOMPARE(prints[fitting + 1].page, 2);
}

void PrinterTest::endDocSendsAndStartsAfresh()
{
    RecordingPrinter printer;
    // Nothing drawn: nothing sent.
    printer.setFontSize(20);
    printer.endDoc();
    QCOMPARE(printer.documentsEnded(), 0);
    QCOMPARE(printer.fontSize(), 10.0);

    printer.setFontName(serif);
    printer.setFontSize(28);
    printer.setFontBold(true);
    printer.setForeColor(QColor(0, 0, 128));
    printer.setDrawWidth(2);
    printer.print(u"Excellent Work"_s, false);
    printer.endDoc();
    QCOMPARE(printer.documentsEnded(), 1);
    QVERIFY(!printer.inDocument());
    // Everything set for the last document goes back to the printer's defaults.
    QCOMPARE(QPointF(printer.currentX(), printer.currentY()), QPointF(0, 0));
    QCOMPARE(printer.fontName(), u"Arial"_s);
    QCOMPARE(printer.fontSize(), 10.0);
    QVERIFY(!printer.fontBold());
    QCOMPARE(printer.foreColor(), QColor(Qt::black));
    QCOMPARE(printer.drawWidth(), 1);

    // The next document starts on page 1 at the top.
    printer.print(u"Ondel"_s);
    QCOMPARE(printer.calls(Kind::Print).last().y, 0.0);
    QCOMPARE(printer.page(), 1);
    printer.endDoc();
    QCOMPARE(printer.documentsEnded(), 2);
}

void PrinterTest::failureStopsThePrintOutAtThatCall_data()
{
    QTest::addColumn<int>("failAt");
    // The viewer's print-out makes 3 calls: print, paintPicture, endDoc.
    for (int i = 0; i < 3; ++i)
        QTest::addRow("call %d", i) << i;
}

void PrinterTest::failureStopsThePrintOutAtThatCall()
{
    QFETCH(int, failAt);
    RecordingPrinter printer;
    printer.failFromCall(failAt, u"Out of paper"_s);
    QString message;
    try {
        printPage(printer, Picture::fromFile(m_picturePath));
    } catch (const PrinterError &error) {
        message = QString::fromStdString(error.what());
    }
    QCOMPARE(message, u"Out of paper"_s);
    QCOMPARE(printer.calls().size(), failAt + 1);
    QVERIFY(printer.calls().last().failed);
    QCOMPARE(printer.documentsEnded(), 0);
    // The failed document is dropped, not carried into the next one.
    QVERIFY(!printer.inDocument());
    QCOMPARE(printer.currentY(), 0.0);

    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.scaleWidth());
    printer.failFromCall(-1);
    printer.clear();
    printPage(printer, Picture::fromFile(m_picturePath));
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(printer.calls(Kind::Print).first().y, 0.0);
}

void PrinterTest::pdfPrinterWritesWhatWasPrinted()
{
    const QString file = m_dir.filePath(u"page.pdf"_s);
    PdfPrinter printer(file);
    QCOMPARE(QSizeF(printer.scaleWidth(), printer.scaleHeight()), RecordingPrinter::defaultArea());
    const double w = printer.scaleWidth();
    const double h = printer.scaleHeight();

    printer.setFontName(serif);
    printer.setForeColor(QColor(255, 0, 0));
    printer.setFontSize(36);
    printer.print(u" "_s);
    const QString title = u"Ondel"_s;
    printer.setCurrentX((w - printer.textWidth(title)) / 2);
    printer.print(title);
    printer.paintPicture(Picture::fromFile(m_picturePath), 1000, 4000);
    // One inch down from the top of the drawing area, 20 dots thick, across the page.
    printer.setDrawWidth(20);
    printer.line(QPointF(0, 7200), QPointF(w, 7200));
    printer.setDrawWidth(2);
    printer.line(QPointF(45, 270), QPointF(45, h - 270));
    QCOMPARE(printer.documentsWritten(), 0);
    printer.endDoc();
    QCOMPARE(printer.documentsWritten(), 1);
    QVERIFY(QFileInfo(file).size() > 0);

    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString text = runTool(u"pdftotext"_s, { u"-layout"_s, file, u"-"_s });
    QVERIFY2(text.contains(u"Ondel"_s), qPrintable(text));
    QVERIFY(runTool(u"pdfinfo"_s, { file }).contains(u"(A4)"_s));

    // At 72 dpi one pixel is 20 twips and the drawing area starts 18 pixels in.
    const QString png = QDir(QStringLiteral(ONDEL_SCREENSHOT_DIR)).filePath(u"printer_pdf"_s);
    QFile::remove(png + u".png"_s);
    runTool(u"pdftoppm"_s, { u"-png"_s, u"-r"_s, u"72"_s, u"-singlefile"_s, file, png });
    const QImage page(png + u".png"_s);
    QCOMPARE(page.size(), QSize(595, 842));
    const auto isDark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 100; };
    QVERIFY(isDark(300, 18 + 360)); // the thick line at y 7200 twips
    QVERIFY(!isDark(300, 18 + 340));
    QVERIFY(isDark(18 + 2, 600)); // the frame's left edge at x 45 twips
    // The picture's red frame at (1000, 4000) twips.
    const QRgb red = page.pixel(18 + 50 + 1, 18 + 200 + 20);
    QVERIFY2(qRed(red) > 200 && qGreen(red) < 100, qPrintable(QColor(red).name()));
    // The red title is centred: its ink is as far from the left as from the right.
    int left = page.width();
    int right = -1;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            if (qRed(pixel) > 200 && qGreen(pixel) < 120 && qBlue(pixel) < 120) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    QVERIFY(right > left);
    QVERIFY2(qAbs((left + right) / 2.0 - page.width() / 2.0) < 4,
             qPrintable(u"title ink from %1 to %2"_s.arg(left).arg(right)));
}

void PrinterTest::pdfPrinterContinuesOnASecondPage()
{
    const QString file = m_dir.filePath(u"long.pdf"_s);
    PdfPrinter printer(file);
    printer.setFontName(serif);
    printer.setFontSize(12);
    const int lines = int(printer.scaleHeight() / printer.textHeight()) + 5;
    for (int i = 1; i <= lines; ++i)
        printer.print(u"Line %1"_s.arg(i));
    QCOMPARE(printer.page(), 2);
    printer.endDoc();
    QCOMPARE(printer.documentsWritten(), 1);

    if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed");
    QVERIFY(runTool(u"pdfinfo"_s, { file }).contains(QRegularExpression(u"Pages:\\s+2\\n"_s)));
    const QString second = runTool(u"pdftotext"_s, { u"-f"_s, u"2"_s, file, u"-"_s });
    QVERIFY2(second.contains(u"Line %1"_s.arg(lines)), qPrintable(second));
    QVERIFY(!second.contains(u"Line 1\n"_s));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printer.moc"
