#include "pdftools.h"
#include "quiztestsupport.h"

#include "module1.h"
#include "pdfprinter.h"
#include "printer.h"
#include "recordingmessageboxes.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"

#include <QImage>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString uniqueToken()
{
    return QUuid::createUuid().toString(QUuid::Id128).left(8).toUpper();
}

// Checks the certificate's text as it reached paper.
void verifyCertificateText(const QString &text, const QString &name)
{
    const QString plain = PdfTools::simplified(text);
    QVERIFY2(plain.contains(name), qPrintable(plain));
    QVERIFY(plain.contains(u"Excellent Work"_s));
    QVERIFY(plain.contains(u"You have scored 10 out of 10."_s));
    QVERIFY(plain.contains(u"Ondel"_s));
    QVERIFY(plain.contains(u"Well Done"_s));
}

void verifyWorksheetText(const QString &text)
{
    const QString plain = PdfTools::simplified(text);
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
    void initTestCase();
    void init();
    void cleanup();

    void printoutsRenderedFromPdf();
    void certificateAndWorksheetArriveFromDefaultPrinter();

private:
    QuizTest::QuizMedia *m_media = nullptr;
    RecordingSoundPlayer *m_sounds = nullptr;
    RecordingMessageBoxes *m_boxes = nullptr;
};

void QuizPrintingTest::initTestCase()
{
    TestUtil::initialise();
}

void QuizPrintingTest::init()
{
    m_media = new QuizTest::QuizMedia;
    m_sounds = new RecordingSoundPlayer;
    m_boxes = new RecordingMessageBoxes;
    QFile worksheet(m_media->path(u"multiple/Rivers 1.txt"_s));
    QVERIFY(worksheet.exists());
}

void QuizPrintingTest::cleanup()
{
    Printer::install(nullptr);
    multiple.unload();
    Welldone.unload();
    TestUtil::processEvents();
    delete m_boxes;
    delete m_sounds;
    delete m_media;
}

void QuizPrintingTest::printoutsRenderedFromPdf()
{
    QTemporaryDir dir;
    PdfPrinter pdf(dir.filePath(u"certificate.pdf"_s));
    Printer::install(&pdf);

    quizheading = u"Ondel"_s;
    score = 10;
    outof = 10;
    QTest::keyClicks(Welldone->Text1, u"Priya Shah"_s);
    Welldone->show();
    TestUtil::click(Welldone->label3[0]);
    QCOMPARE(m_boxes->texts(), QStringList { u"Your certificate is now printing."_s });
    QCOMPARE(pdf.documentsWritten(), 1);
    verifyCertificateText(PdfTools::text(pdf.filePath()), u"Priya Shah"_s);
    const QString certificatePng
        = PdfTools::renderFirstPage(pdf.filePath(), u"print_certificate"_s);
    QVERIFY(!certificatePng.isEmpty());

    // The frame reaches near the page's edges: black at the outer rectangle's left side.
    const QImage page(certificatePng);
    QVERIFY(!page.isNull());
    bool frame = false;
    for (int x = 0; x < page.width() / 20 && !frame; ++x)
        frame = qGray(page.pixel(x, page.height() / 2)) < 100;
    QVERIFY(frame);

    Welldone.unload();
    m_boxes->clear();
    QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
    pdf.setFilePath(dir.filePath(u"worksheet.pdf"_s));
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(m_boxes->texts(), QStringList { u"Your worksheet is now printing."_s });
    QCOMPARE(pdf.documentsWritten(), 2);
    verifyWorksheetText(PdfTools::text(pdf.filePath()));
    QVERIFY(!PdfTools::renderFirstPage(pdf.filePath(), u"print_worksheet"_s).isEmpty());
}

void QuizPrintingTest::certificateAndWorksheetArriveFromDefaultPrinter()
{
    if (QPrinterInfo::defaultPrinter().isNull())
        QSKIP("No default printer (scripts/test sets up the cups-pdf printer ClassroomPDF).");
    Printer::install(nullptr);

    const QString name = u"Pupil "_s + uniqueToken();
    const QDateTime since = QDateTime::currentDateTime().addSecs(-2);
    quizheading = u"Ondel"_s;
    score = 10;
    outof = 10;
    QTest::keyClicks(Welldone->Text1, name);
    Welldone->show();
    TestUtil::click(Welldone->label3[0]);
    QCOMPARE(m_boxes->texts(), QStringList { u"Your certificate is now printing."_s });
    const QString certificate = PdfTools::waitForPdf(since, name);
    QVERIFY2(!certificate.isEmpty(),
             qPrintable(u"no certificate PDF in "_s + PdfTools::cupsPdfFolders().join(u", ")));
    verifyCertificateText(PdfTools::text(certificate), name);
    QVERIFY(!PdfTools::renderFirstPage(certificate, u"print_certificate_cups"_s).isEmpty());
    QFile::remove(certificate);

    Welldone.unload();
    m_boxes->clear();
    QVERIFY(QuizOpener::open(u"multiple\\Rivers 2.txt"_s, u"images\\rivers2sm.jpg"_s));
    const QString token = uniqueToken();
    multiple->Label5->setCaption(u"Ondel "_s + token);
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(m_boxes->texts(), QStringList { u"Your worksheet is now printing."_s });
    const QString worksheet = PdfTools::waitForPdf(since, token);
    QVERIFY(!worksheet.isEmpty());
    verifyWorksheetText(PdfTools::text(worksheet));
    QVERIFY(!PdfTools::renderFirstPage(worksheet, u"print_worksheet_cups"_s).isEmpty());
    QFile::remove(worksheet);
}

QTEST_MAIN(QuizPrintingTest)
#include "tst_quizprinting.moc"
