#include "quiztestsupport.h"

#include "pdfprinter.h"
#include "printer.h"

#include <QImage>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString pdfText(const QString &pdf)
{
    return TestUtil::runTool(u"pdftotext"_s, { u"-layout"_s, pdf, u"-"_s });
}

// Renders page 1 as <screenshot folder>/<name>.png; returns the PNG's path or "".
QString renderFirstPage(const QString &pdf, const QString &name)
{
    const QString base = QDir(QStringLiteral(ONDEL_SCREENSHOT_DIR)).filePath(name);
    TestUtil::runTool(
        u"pdftoppm"_s,
        { u"-png"_s, u"-r"_s, u"60"_s, u"-f"_s, u"1"_s, u"-singlefile"_s, pdf, base });
    const QString png = base + u".png"_s;
    return QFile::exists(png) ? png : QString();
}

QString uniqueToken()
{
    return QUuid::createUuid().toString(QUuid::Id128).left(8).toUpper();
}

// Types the name on the results at 10 out of 10 and clicks "Print Certificate".
void printCertificate(const QString &name)
{
    quizheading = u"Ondel"_s;
    score = 10;
    outof = 10;
    QTest::keyClicks(Welldone->Text1, name);
    Welldone->show();
    TestUtil::click(Welldone->label3[0]);
}

// Opens a built-in worksheet and clicks "Print Worksheet".
void printWorksheet(const QString &worksheet, const QString &heading)
{
    Welldone.unload();
    QVERIFY(QuizOpener::open(u"multiple\\"_s + worksheet + u".txt"_s, u"images\\rivers1sm.jpg"_s));
    multiple->Label5->setCaption(heading);
    TestUtil::click(multiple->label3[3]);
}

// Checks the certificate's text as it reached paper.
void verifyCertificateText(const QString &pdf, const QString &name)
{
    const QString plain = pdfText(pdf).simplified();
    QVERIFY2(plain.contains(name), qPrintable(plain));
    for (const QString &text :
         { u"Excellent Work"_s, u"You have scored 10 out of 10."_s, u"Ondel"_s, u"Well Done"_s })
        QVERIFY2(plain.contains(text), qPrintable(text));
}

void verifyWorksheetText(const QString &pdf)
{
    const QString plain = pdfText(pdf).simplified();
    QVERIFY2(plain.contains(u"Corvane Publishing Ltd"_s), qPrintable(plain));
    for (int q = 1; q <= worksheetQuestionCount; ++q) {
        QVERIFY2(plain.contains(u"Question %1 "_s.arg(q) + questions[q]),
                 qPrintable(u"question %1 missing"_s.arg(q)));
        QVERIFY(plain.contains(u"A. "_s + answera[q]));
        QVERIFY(plain.contains(u"D. "_s + answerd[q]));
    }
}

} // namespace

// The print-outs through the real printing path: to PDF files directly, and through CUPS to
// the cups-pdf printer that scripts/test makes the default printer.
class QuizPrintingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }
    void init() { m_fx = std::make_unique<QuizTest::Fixture>(); }
    void cleanup()
    {
        Printer::install(nullptr);
        m_fx.reset();
    }

    void printoutsRenderedFromPdf();
    void certificateAndWorksheetArriveFromDefaultPrinter();

private:
    std::unique_ptr<QuizTest::Fixture> m_fx;
};

void QuizPrintingTest::printoutsRenderedFromPdf()
{
    QTemporaryDir dir;
    PdfPrinter pdf(dir.filePath(u"certificate.pdf"_s));
    Printer::install(&pdf);

    printCertificate(u"Priya Shah"_s);
    QCOMPARE(m_fx->boxes.texts(), QStringList { u"Your certificate is now printing."_s });
    QCOMPARE(pdf.documentsWritten(), 1);
    verifyCertificateText(pdf.filePath(), u"Priya Shah"_s);
    const QString certificatePng = renderFirstPage(pdf.filePath(), u"print_certificate"_s);
    QVERIFY(!certificatePng.isEmpty());

    // The frame reaches near the page's edges: black at the outer rectangle's left side.
    const QImage page(certificatePng);
    QVERIFY(!page.isNull());
    bool frame = false;
    for (int x = 0; x < page.width() / 20 && !frame; ++x)
        frame = qGray(page.pixel(x, page.height() / 2)) < 100;
    QVERIFY(frame);

    m_fx->boxes.clear();
    pdf.setFilePath(dir.filePath(u"worksheet.pdf"_s));
    printWorksheet(u"Rivers 1"_s, u"Ondel"_s);
    QCOMPARE(m_fx->boxes.texts(), QStringList { u"Your worksheet is now printing."_s });
    QCOMPARE(pdf.documentsWritten(), 2);
    verifyWorksheetText(pdf.filePath());
    QVERIFY(!renderFirstPage(pdf.filePath(), u"print_worksheet"_s).isEmpty());
}

void QuizPrintingTest::certificateAndWorksheetArriveFromDefaultPrinter()
{
    if (QPrinterInfo::defaultPrinter().isNull())
        QSKIP("No default printer (scripts/test sets up the cups-pdf printer ClassroomPDF).");
    Printer::install(nullptr);

    const QString name = u"Pupil "_s + uniqueToken();
    const QString certificateJob = u"Ondel certificate - "_s + name;
    TestUtil::removeCupsPdfs(certificateJob);
    printCertificate(name);
    QCOMPARE(m_fx->boxes.texts(), QStringList { u"Your certificate is now printing."_s });
    const QString certificate = TestUtil::waitForCupsPdf(certificateJob, 60000);
    QVERIFY2(!certificate.isEmpty(), qPrintable(TestUtil::cupsPdfMissing(certificateJob, 60000)));
    verifyCertificateText(certificate, name);
    QVERIFY(!renderFirstPage(certificate, u"print_certificate_cups"_s).isEmpty());
    QFile::remove(certificate);

    m_fx->boxes.clear();
    const QString token = uniqueToken();
    const QString worksheetJob = u"Ondel worksheet - Rivers 2"_s;
    TestUtil::removeCupsPdfs(worksheetJob);
    printWorksheet(u"Rivers 2"_s, u"Ondel "_s + token);
    QCOMPARE(m_fx->boxes.texts(), QStringList { u"Your worksheet is now printing."_s });
    const QString worksheet = TestUtil::waitForCupsPdf(worksheetJob, 60000);
    QVERIFY2(!worksheet.isEmpty(), qPrintable(TestUtil::cupsPdfMissing(worksheetJob, 60000)));
    QVERIFY(TestUtil::runTool(u"pdftotext"_s, { worksheet, u"-"_s }).contains(token));
    verifyWorksheetText(worksheet);
    QVERIFY(!renderFirstPage(worksheet, u"print_worksheet_cups"_s).isEmpty());
    QFile::remove(worksheet);
}

QTEST_MAIN(QuizPrintingTest)
#include "tst_quizprinting.moc"
