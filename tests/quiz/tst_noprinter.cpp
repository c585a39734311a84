#include "scene.h"

#include "resultscsv.h"
#include "systemprinter.h"

#include <QPrinterInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

// No printer: print-outs become PDF files in Documents, and the message says where.
class NoPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }

    void theClassSheetBecomesAPdfFile()
    {
        Scene s;
        Printer::install(nullptr);
        const QDateTime when(QDate(2026, 12, 9), QTime(10, 0));
        s.media.write(
            u"multiple/results.csv"_s,
            ResultsCsv::file(QList<RecordedResult> {
                { u"Amira"_s, u"Rivers 1"_s, u"Multiple Choice"_s, 7, 10, when, { 4 } } }));
        QVERIFY(shown(classresults.get()));
        TestUtil::click(classresults->label3[ClassResultsScreen::Print]);
        const QString file = u"Ondel class results.pdf"_s;
        QCOMPARE(s.boxes.texts(), QStringList { saved(u"the class sheet"_s, file) });
        const QString text = pdfText(file);
        QVERIFY2(text.contains(u"Amira"_s) && text.contains(u"Wrong last time: 4"_s),
                 qPrintable(text));
    }

    void printOutsBecomePdfFilesInDocuments()
    {
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());
        Scene s;
        Printer::install(nullptr);
        const QDir documents(SystemPrinter::pdfFolder());
        QCOMPARE(documents.path(), QDir::home().filePath(u"Documents"_s));

        // The certificate, twice: the second copy does not replace the first.
        score = 10;
        outof = 10;
        QVERIFY(shown(Welldone.get()) && resultsSettled());
        QTest::keyClicks(Welldone->Text1, u"Ada Lovelace"_s);
        TestUtil::click(Welldone->label3[0]);
        TestUtil::click(Welldone->label3[0]);
        const QString certificate = u"your certificate"_s;
        QCOMPARE(
            s.boxes.texts(),
            QStringList({ saved(certificate, u"Ondel certificate - Ada Lovelace.pdf"_s),
                          saved(certificate, u"Ondel certificate - Ada Lovelace (2).pdf"_s) }));
        QVERIFY(pdfText(u"Ondel certificate - Ada Lovelace (2).pdf"_s).contains(u"Ada Lovelace"_s));

        // The worksheet; the quiz stays where it was.
        s.boxes.clear();
        TestUtil::click(Welldone->label3[1]);
        QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
        TestUtil::click(multiple->label3[1]);
        TestUtil::click(multiple->label3[3]);
        const QString worksheet = u"Ondel worksheet - Rivers 1 Drainage Basins.pdf"_s;
        QCOMPARE(s.boxes.texts(), QStringList { saved(u"your worksheet"_s, worksheet) });
        QVERIFY(pdfText(worksheet).contains(u"Question 10"_s));
        QCOMPARE(multiple->Label4->caption(), u"Question 2"_s);
        TestUtil::click(multiple->label3[2]);

        // A page of the teachers' guide.
        s.boxes.clear();
        QVERIFY(shown(intro0.get()));
        TestUtil::click(intro0->Label2[20]);
        TestUtil::click(guide->label3[0]);
        QCOMPARE(s.boxes.texts(),
                 QStringList { saved(u"the page"_s, u"Ondel page - guide1.pdf"_s) });
        QVERIFY(!pdfText(u"Ondel page - guide1.pdf"_s).trimmed().isEmpty());

        // Root may write anywhere, so a plain file in the folder's place makes it unwritable.
        s.boxes.clear();
        QVERIFY(QDir(documents).removeRecursively());
        QFile blocker(documents.path());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const auto before = snapshot(QDir::homePath());
        TestUtil::click(guide->label3[0]);
        TestUtil::click(guide->label3[1]);
        QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
        TestUtil::click(multiple->label3[3]);
        QCOMPARE(s.boxes.texts(), QStringList({ printProblem, printProblem }));
        QCOMPARE(snapshot(QDir::homePath()), before);
    }

private:
    // The whole message: what happened, and nothing about printing.
    static QString saved(const QString &what, const QString &file)
    {
        return u"There is no printer, so %1 has been saved as a PDF file:\n"_s.arg(what)
            + QDir(SystemPrinter::pdfFolder()).filePath(file);
    }
    static QString pdfText(const QString &file)
    {
        return TestUtil::runTool(u"pdftotext"_s,
                                 { QDir(SystemPrinter::pdfFolder()).filePath(file), u"-"_s });
    }
};

int main(int argc, char **argv)
{
    qputenv("CUPS_SERVER", "/nonexistent/ondel-no-cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DOCUMENTS_DIR");
    QApplication app(argc, argv);
    NoPrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_noprinter.moc"
