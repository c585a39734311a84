#include "quiztestsupport.h"

#include "certificateprintout.h"
#include "recordingprinter.h"

#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace QuizTest;

namespace {

const QString strip = u"   Well Done      Well Done     Well Done     Well Done    "_s;

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

// One call as the tests compare it: what was asked, and for printed text the size, colour and
// horizontal position it went out with.
QString describe(const PrinterCall &call)
{
    using Kind = PrinterCall::Kind;
    switch (call.kind) {
    case Kind::ScaleWidth:
        return u"W"_s;
    case Kind::ScaleHeight:
        return u"H"_s;
    case Kind::SetFontName:
        return u"Font "_s + call.text;
    case Kind::SetFontSize:
        return u"Size "_s + number(call.value);
    case Kind::SetForeColor:
        return u"Colour "_s + call.colour.name();
    case Kind::SetCurrentX:
        return u"X "_s + number(call.value);
    case Kind::TextWidth:
        return u"Width \""_s + call.text + u'"';
    case Kind::Print:
        return u"Print \"%1\" %2 %3 %4 at %5"_s.arg(call.text, call.endLine ? u"end"_s : u"on"_s,
                                                    number(call.fontSize), call.foreColor.name(),
                                                    number(call.x));
    case Kind::SetDrawWidth:
        return u"DrawWidth "_s + number(call.value);
    case Kind::Line:
        return u"Line %1,%2 %3,%4 %5"_s.arg(number(call.line.x1()), number(call.line.y1()),
                                            number(call.line.x2()), number(call.line.y2()),
                                            call.colour.name());
    case Kind::EndDoc:
        return u"EndDoc"_s;
    default:
        return PrinterCall::kindName(call.kind);
    }
}

QStringList describeAll(const QList<PrinterCall> &calls)
{
    QStringList result;
    std::transform(calls.begin(), calls.end(), std::back_inserter(result), describe);
    return result;
}

// Builds the calls a print-out should make, measuring text as the printer does.
class ExpectedCalls
{
public:
    explicit ExpectedCalls(QSizeF area)
        : m_area(area)
        , m_measure(area)
    {
        m_measure.setFontName(u"Times New Roman"_s);
        Printer::install(nullptr);
    }

    double w() const { return m_area.width(); }
    double h() const { return m_area.height(); }

    void font() { m_calls << u"Font Times New Roman"_s; }
    void size(double points)
    {
        m_size = points;
        m_measure.setFontSize(points);
        m_calls << u"Size "_s + number(points);
    }
    void colour(const QColor &colour)
    {
        m_colour = colour;
        m_calls << u"Colour "_s + colour.name();
    }
    void x(double value)
    {
        m_x = value;
        m_calls << u"X "_s + number(value);
    }
    void scaleWidth() { m_calls << u"W"_s; }
    // Sets the current position as a fraction of the page width.
    void at(double fraction)
    {
        scaleWidth();
        x(w() * fraction);
    }
    void print(const QString &text, bool endLine = true)
    {
        m_calls << u"Print \"%1\" %2 %3 %4 at %5"_s.arg(
            text, endLine ? u"end"_s : u"on"_s, number(m_size), m_colour.name(), number(m_x));
        m_x = endLine ? 0 : m_x + width(text);
    }
    void blank(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            print(u" "_s);
    }
    void centred(const QString &text)
    {
        scaleWidth();
        m_calls << u"Width \""_s + text + u'"';
        x((w() - width(text)) / 2);
        print(text);
    }
    void line(double x1, double y1, double x2, double y2)
    {
        m_calls << u"Line %1,%2 %3,%4 #000000"_s.arg(number(x1), number(y1), number(x2),
                                                     number(y2));
    }
    void rectangle(double left, double top, double right, double bottom)
    {
        line(left, top, right, top);
        line(left, top, left, bottom);
        line(right, top, right, bottom);
        line(left, bottom, right, bottom);
    }
    void raw(const QString &call) { m_calls << call; }

    double width(const QString &text) { return m_measure.textWidth(text); }
    const QStringList &calls() const { return m_calls; }

private:
    QSizeF m_area;
    RecordingPrinter m_measure;
    QStringList m_calls;
    double m_size = 10;
    QColor m_colour = QColor(Qt::black);
    double m_x = 0;
};

QStringList expectedCertificate(QSizeF area, const QString &heading, const QString &name,
                                const QString &sentence, bool longHeading)
{
    ExpectedCalls e(area);
    const QColor lightBlue(0, 0, 255);
    e.font();
    e.colour(lightBlue);
    e.size(25);
    e.at(1.0 / 8);
    e.blank();
    e.print(strip + strip, false);
    e.blank(3);
    e.colour(QColor(255, 0, 0));
    e.size(36);
    e.centred(u"Ondel"_s);
    e.blank();
    e.colour(lightBlue);
    e.size(36);
    e.scaleWidth();
    if (longHeading)
        e.size(28);
    e.centred(heading);
    e.print(QString());
    e.size(36);
    e.blank(3);
    e.colour(QColor(0, 0, 128));
    e.size(28);
    e.centred(u"Excellent Work"_s);
    e.blank();
    e.centred(name);
    e.print(QString());
    e.size(28);
    e.centred(sentence);
    e.blank();
    e.size(36);
    e.blank(2);
    e.colour(lightBlue);
    e.size(25);
    e.blank();
    e.colour(QColor(0, 0, 0));
    e.print(strip + strip, false);
    e.raw(u"DrawWidth 2.0"_s);
    // Five rectangles 45 twips apart, the first three with a box inside.
    for (int i = 0; i < 5; ++i) {
        const double a = 45 * (i + 1);
        const double b = 270 + 45 * i;
        e.raw(u"W"_s);
        e.raw(u"H"_s);
        e.rectangle(a, b, e.w() - a, e.h() - b);
        if (i < 3)
            e.rectangle(a + 600, b + 7050, e.w() - a - 600, e.h() - b - 3750);
    }
    e.raw(u"EndDoc"_s);
    return e.calls();
}

} // namespace

class QuizPrintoutsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    void certificateCallsInOrder_data();
    void certificateCallsInOrder();
    void worksheetLinesAndColumns();
    void failureAtAnyStepGivesOneProblemMessage_data();
    void failureAtAnyStepGivesOneProblemMessage();

private:
    std::unique_ptr<Fixture> m_fx;
};

void QuizPrintoutsTest::certificateCallsInOrder_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("right");
    QTest::addColumn<bool>("longHeading");
    QTest::newRow("short heading") << u"Ondel"_s << u"Priya Shah"_s << 10 << false;
    QTest::newRow("empty name") << u"Ondel"_s << QString() << 10 << false;
    QTest::newRow("long heading")
        << u"Rivers of the World: Sources, Mouths and Everything Between"_s
        << u"Sam O'Connor-Whitfield"_s << 10 << true;
    QTest::newRow("activity, no heading") << QString() << u"Ali"_s << 6 << false;
}

void QuizPrintoutsTest::certificateCallsInOrder()
{
    QFETCH(QString, heading);
    QFETCH(QString, name);
    QFETCH(int, right);
    QFETCH(bool, longHeading);

    const QString sentence = u"You have scored %1 out of %1."_s.arg(right);
    const QStringList expected = expectedCertificate(RecordingPrinter::defaultArea(), heading, name,
                                                     sentence, longHeading);
    RecordingPrinter printer;
    quizheading = heading;
    score = right;
    outof = right;
    Welldone->Text1->setText(name);
    Welldone->Printpage();

    QCOMPARE(describeAll(printer.calls()), expected);
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(m_fx->boxes.texts(), QStringList { u"Your certificate is now printing."_s });
    QCOMPARE(m_fx->boxes.last().caption, u"Ondel"_s);
    // The heading's size follows its width in the screen's own font against a quarter page.
    const double screenWidth
        = QFontMetricsF(Welldone->font()).horizontalAdvance(heading) * Twips::perPixel;
    QCOMPARE(screenWidth > printer.scaleWidth() / 4, longHeading);
    QVERIFY(printer.calls(PrinterCall::Kind::NewPage).isEmpty());

    // The strips run past the page's right edge; the black one sits near the bottom.
    QList<PrinterCall> strips;
    for (const PrinterCall &call : printer.calls(PrinterCall::Kind::Print)) {
        if (call.text.contains(u"Well Done"_s))
            strips.append(call);
    }
    QCOMPARE(strips.size(), 2);
    printer.setFontSize(25);
    QVERIFY(printer.textWidth(CertificatePrintout::doubleStrip()) > printer.scaleWidth());
    QVERIFY(strips[1].y > printer.scaleHeight() * 0.75);
    QVERIFY(strips[1].y < printer.scaleHeight() - 450);
}

void QuizPrintoutsTest::worksheetLinesAndColumns()
{
    loadMadeUpWorksheet();
    answerb[4].clear();
    questions[7] = u"Which river, of all these, is longest?"_s;
    answera[7] = u"The Severn, in Wales and England"_s;
    multiple->Label5->setCaption(u"Ondel"_s);

    const QSizeF area = RecordingPrinter::defaultArea();
    ExpectedCalls e(area);
    e.font();
    e.size(16);
    e.at(1.0 / 8);
    e.blank();
    e.at(1.0 / 16);
    e.print(u"Ondel"_s + QString(57, u' ') + u"Corvane Publishing Ltd"_s, false);
    e.blank(2);
    e.size(32);
    e.centred(u"Ondel"_s);
    e.centred(u"Test Rivers"_s);
    e.blank();
    e.size(12);
    for (int i = 1; i <= 10; ++i) {
        e.at(1.0 / 16);
        e.print(u"Question %1    %2"_s.arg(i).arg(questions[i]));
        const QStringList answers { answera[i], answerb[i], answerc[i], answerd[i] };
        for (int k = 0; k < 4; ++k) {
            e.at(k % 2 ? 4.0 / 6 : 2.0 / 6);
            e.print(QString(QChar(u'A' + k)) + u". "_s + answers[k], k % 2 == 1);
        }
        e.blank();
    }
    e.raw(u"EndDoc"_s);

    RecordingPrinter printer(area);
    multiple->Printpage();
    QCOMPARE(describeAll(printer.calls()), e.calls());
    QCOMPARE(m_fx->boxes.texts(), QStringList { u"Your worksheet is now printing."_s });
    const QStringList texts = printer.printedTexts();
    QVERIFY(texts.contains(u"Question 10    What is river fact 10?"_s));
    QVERIFY(texts.contains(u"B. "_s));
}

void QuizPrintoutsTest::failureAtAnyStepGivesOneProblemMessage_data()
{
    QTest::addColumn<bool>("certificate");
    QTest::newRow("certificate") << true;
    QTest::newRow("worksheet") << false;
}

void QuizPrintoutsTest::failureAtAnyStepGivesOneProblemMessage()
{
    QFETCH(bool, certificate);
    loadMadeUpWorksheet();
    quizheading = u"Ondel"_s;
    score = 10;
    outof = 10;
    auto printPage = [&] {
        if (certificate)
            Welldone->Printpage();
        else
            multiple->Printpage();
    };

    RecordingPrinter printer;
    printPage();
    const QStringList whole = describeAll(printer.calls());
    QVERIFY(whole.size() > 50);

    for (int step = 0; step < whole.size(); ++step) {
        printer.clear();
        m_fx->boxes.clear();
        printer.failFromCall(step);
        printPage();
        QCOMPARE(m_fx->boxes.texts(), QStringList { problem });
        QCOMPARE(m_fx->boxes.last().caption, u"Ondel"_s);
        QCOMPARE(printer.documentsEnded(), 1);
        // Nothing after the failing step was asked of the printer.
        QCOMPARE(printer.calls().size(), step + 1);
        QVERIFY(printer.calls().last().failed);
        QVERIFY(!printer.inDocument());
    }

    // After all those failures a print-out comes out whole again.
    printer.failFromCall(-1);
    printer.clear();
    m_fx->boxes.clear();
    printPage();
    QCOMPARE(describeAll(printer.calls()), whole);
    QCOMPARE(printer.documentsEnded(), 2);
    QVERIFY(m_fx->boxes.texts().last() != problem);
    QVERIFY(m_fx->sounds.played().isEmpty());
}

QTEST_MAIN(QuizPrintoutsTest)
#include "tst_quizprintouts.moc"
