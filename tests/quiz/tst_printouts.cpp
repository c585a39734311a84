#include "scene.h"

#include "pdfprinter.h"

#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct TextLine
{
    QString text;
    QRectF box; // in points
};

// The lines of text on page 1 with their boxes, as pdftotext lays them out.
QList<TextLine> linesOf(const QString &pdf)
{
    const QString html = TestUtil::runTool(
        u"pdftotext"_s, { u"-bbox-layout"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, u"-"_s });
    static const QRegularExpression lineTag(
        u"<line xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*?)</line>"_s,
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression word(u"<word[^>]*>([^<]*)</word>"_s);
    QList<TextLine> lines;
    for (const auto &m : lineTag.globalMatch(html)) {
        QStringList words;
        for (const auto &w : word.globalMatch(m.captured(5)))
            words << w.captured(1);
        lines.append({ words.join(u' ').replace(u"&amp;"_s, u"&"_s).replace(u"&apos;"_s, u"'"_s),
                       QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                              QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())) });
    }
    return lines;
}

TextLine lineWith(const QList<TextLine> &lines, const QString &text)
{
    for (const TextLine &line : lines)
        if (line.text == text)
            return line;
    return {};
}

// Page 1 at 288 dpi: one pixel is 5 twips.
QImage render(const QString &pdf, const QString &name)
{
    const QString base = QStringLiteral(ONDEL_SCREENSHOT_DIR "/") + name;
    TestUtil::runTool(
        u"pdftoppm"_s,
        { u"-png"_s, u"-r"_s, u"288"_s, u"-f"_s, u"1"_s, u"-singlefile"_s, pdf, base });
    return QImage(base + u".png"_s);
}

constexpr double pageWidthPt = 595.28;

// The colour of the text in a box (points) of a page rendered at 288 dpi: its darkest pixel.
QColor inkOf(const QImage &page, const QRectF &box)
{
    QColor ink(Qt::white);
    const QRect area = QRectF(box.topLeft() * 4, box.size() * 4).toRect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const QColor c = page.pixelColor(x, y);
                c.red() + c.green() + c.blue() < ink.red() + ink.green() + ink.blue())
                ink = c;
    return ink;
}

void printCertificate(const QString &heading, const QString &name)
{
    quizheading = heading;
    score = 10;
    outof = 10;
    Welldone->Text1->setText(name);
    Welldone->Printpage();
}

} // namespace

class PrintoutsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }

    void certificateLooksRight_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::newRow("short heading") << u"Rivers 1"_s;
        QTest::newRow("long heading") << u"Rivers of the World: Sources and Mouths"_s;
    }

    void certificateLooksRight()
    {
        QFETCH(QString, heading);
        Scene s;
        QTemporaryDir dir;
        PdfPrinter pdf(dir.filePath(u"certificate.pdf"_s));
        Printer::install(&pdf);
        printCertificate(heading, u"Priya Shah"_s);
        Printer::install(nullptr);
        QCOMPARE(s.boxes.texts(), QStringList { u"Your certificate is now printing."_s });
        QVERIFY(TestUtil::runTool(u"pdfinfo"_s, { pdf.filePath() })
                    .contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));

        // Every line is there and centred on the page.
        const QList<TextLine> lines = linesOf(pdf.filePath());
        const QString sentence = u"You have scored 10 out of 10."_s;
        QList<TextLine> centred;
        for (const QString &text :
             { u"Ondel"_s, heading, u"Excellent Work"_s, u"Priya Shah"_s, sentence }) {
            const TextLine line = lineWith(lines, text);
            QVERIFY2(!line.box.isEmpty(), qPrintable(text));
            QVERIFY2(qAbs(line.box.center().x() - pageWidthPt / 2) < 2, qPrintable(text));
            centred << line;
        }
        // From top to bottom in that order, the heading at the title's size when it is short.
        for (int i = 1; i < centred.size(); ++i)
            QVERIFY(centred[i].box.top() > centred[i - 1].box.bottom());
        const double headingRatio = centred[1].box.height() / centred[0].box.height();
        if (heading.size() < 10)
            QVERIFY2(qAbs(headingRatio - 1) < 0.05, qPrintable(QString::number(headingRatio)));
        else
            QVERIFY2(headingRatio < 0.85 && centred[1].box.width() < pageWidthPt - 36,
                     qPrintable(QString::number(headingRatio)));

        // Five frames 9 pixels apart inside the margin; the first three with an inner box.
        const QImage page
            = render(pdf.filePath(),
                     u"print_certificate_"_s
                         + QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QVERIFY(!page.isNull());
        const int y = page.height() * 6 / 10;
        QList<int> dark;
        for (int x = 0; x < 300; ++x)
            if (qGray(page.pixel(x, y)) < 128 && (dark.isEmpty() || x > dark.last() + 1))
                dark << x;
        QCOMPARE(dark, (QList<int> { 81, 90, 99, 108, 117, 201, 210, 219 }));
        // Nothing drawn past the margin at the foot.
        for (int x = 0; x < page.width(); x += 3)
            QVERIFY(qGray(page.pixel(x, page.height() - 60)) > 200);

        // "Well Done" strips, blue above and black below; title red, heading blue, rest navy.
        QList<TextLine> strips;
        for (const TextLine &line : lines)
            if (line.text == u"Well Done")
                strips << line;
        QCOMPARE(strips.size(), 8);
        for (int i = 0; i < 8; ++i) {
            const QList<double> lefts { 36.3, 180.3, 318.1, 455.9 };
            QVERIFY2(qAbs(strips[i].box.left() - lefts[i % 4]) < 1, qPrintable(QString::number(i)));
            QCOMPARE(strips[i].box.top(), strips[i / 4 * 4].box.top());
            QCOMPARE(inkOf(page, strips[i].box), i < 4 ? QColor(0, 0, 255) : QColor(Qt::black));
        }
        QVERIFY(strips[3].box.bottom() < centred[0].box.top());
        QVERIFY(strips[4].box.top() > centred[4].box.bottom());
        const QColor inks[]
            = { { 255, 0, 0 }, { 0, 0, 255 }, { 0, 0, 128 }, { 0, 0, 128 }, { 0, 0, 128 } };
        for (int i = 0; i < 5; ++i)
            QCOMPARE(inkOf(page, centred[i].box), inks[i]);
    }

    void worksheetLooksRight()
    {
        Scene s;
        QTemporaryDir dir;
        PdfPrinter pdf(dir.filePath(u"worksheet.pdf"_s));
        Printer::install(&pdf);
        QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
        TestUtil::click(multiple->label3[3]);
        Printer::install(nullptr);
        QCOMPARE(s.boxes.texts(), QStringList { u"Your worksheet is now printing."_s });
        render(pdf.filePath(), u"print_worksheet"_s);

        // The header, then the heading twice as large and the title centred.
        const QList<TextLine> lines = linesOf(pdf.filePath());
        const TextLine header = lines.value(0), publisher = lines.value(1),
                       heading = lines.value(2);
        QCOMPARE(header.text, u"Ondel"_s);
        QCOMPARE(publisher.text, u"Corvane Publishing Ltd"_s);
        QVERIFY(qAbs(header.box.left() - 18 - (pageWidthPt - 36) / 16) < 1);
        QCOMPARE(publisher.box.top(), header.box.top());
        QVERIFY(qAbs(publisher.box.left() - header.box.right() - 57 * 4) < 1);
        QCOMPARE(heading.text, u"Ondel"_s);
        QVERIFY(qAbs(heading.box.center().x() - pageWidthPt / 2) < 2);
        QVERIFY(qAbs(heading.box.height() - 2 * header.box.height()) < 1);
        QVERIFY(heading.box.top() > header.box.bottom());
        QVERIFY(lineWith(lines, worktitle).box.top() >= heading.box.bottom() - 1);
        QVERIFY(qAbs(lineWith(lines, worktitle).box.center().x() - pageWidthPt / 2) < 2);
        // Answers A and C in the column at a third of the width, B and D at two thirds.
        const double third = 18 + (pageWidthPt - 36) / 3;
        for (int q = 1; q <= 3; ++q) {
            QVERIFY(qAbs(lineWith(lines, u"A. "_s + answera[q]).box.left() - third) < 1);
            QVERIFY(qAbs(lineWith(lines, u"C. "_s + answerc[q]).box.left() - third) < 1);
            QVERIFY(qAbs(lineWith(lines, u"D. "_s + answerd[q]).box.left() - 2 * third + 18) < 1);
        }
        const QString text
            = TestUtil::runTool(u"pdftotext"_s, { pdf.filePath(), u"-"_s }).simplified();
        for (int q = 1; q <= 10; ++q)
            QVERIFY2(text.contains(u"Question %1 %2"_s.arg(q).arg(questions[q])), qPrintable(text));
    }

    // A failure at any step gives one message; the next print-out comes out whole.
    void failureAtAnyStepGivesOneProblemMessage()
    {
        Scene s;
        QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
        for (bool certificate : { true, false }) {
            const auto printPage = [&] {
                if (certificate)
                    printCertificate(u"Ondel"_s, u"Sam"_s);
                else
                    multiple->Printpage();
            };
            RecordingPrinter printer;
            printPage();
            const qsizetype whole = printer.calls().size();
            QVERIFY(whole > 50);
            for (int step = 0; step < whole; ++step) {
                printer.clear();
                s.boxes.clear();
                printer.failFromCall(step);
                printPage();
                QCOMPARE(s.boxes.texts(), QStringList { printProblem });
                QCOMPARE(printer.calls().size(), step + 1);
                QVERIFY(!printer.inDocument());
            }
            printer.failFromCall(-1);
            printer.clear();
            printPage();
            QCOMPARE(printer.calls().size(), whole);
            QCOMPARE(printer.documentsEnded(), 2);
        }
    }
};

QTEST_MAIN(PrintoutsTest)
#include "tst_printouts.moc"
