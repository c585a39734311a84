#include "quiztestsupport.h"

#include "printer.h"
#include "systemprinter.h"

#include <QApplication>
#include <QDirIterator>
#include <QPrinterInfo>
#include <QtTest>

using namespace Qt::StringLiterals;
using QuizTest::problem;

// Runs with a print server that does not exist, as on a machine with no printer set up, and
// a temporary home whose Documents folder receives the PDF files.
class QuizNoPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }
    void printOutsBecomePdfFilesInDocuments();
};

namespace {

QString savedNote(const QString &usual, const QString &file)
{
    return usual + u"\n\nThere is no printer, so it has been saved as a PDF file:\n"_s
        + QDir(SystemPrinter::pdfFolder()).filePath(file);
}

QString pdfText(const QString &file)
{
    return TestUtil::runTool(u"pdftotext"_s,
                             { QDir(SystemPrinter::pdfFolder()).filePath(file), u"-"_s });
}

QStringList filesInHome()
{
    QStringList files;
    for (QDirIterator it(QDir::homePath(), QDir::Files | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        files += it.next();
    return files;
}

} // namespace

void QuizNoPrinterTest::printOutsBecomePdfFilesInDocuments()
{
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    QuizTest::Fixture fx;
    Printer::install(nullptr);

    score = 10;
    outof = 10;
    Welldone->show();
    QTest::keyClicks(Welldone->Text1, u"Ada Lovelace"_s);
    TestUtil::click(Welldone->label3[0]);
    TestUtil::click(Welldone->label3[0]);
    const QString certificate = u"Your certificate is now printing."_s;
    QCOMPARE(
        fx.boxes.texts(),
        QStringList({ savedNote(certificate, u"Ondel certificate - Ada Lovelace.pdf"_s),
                      savedNote(certificate, u"Ondel certificate - Ada Lovelace (2).pdf"_s) }));
    QVERIFY(pdfText(u"Ondel certificate - Ada Lovelace (2).pdf"_s).contains(u"Ada Lovelace"_s));

    fx.boxes.clear();
    QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
    TestUtil::click(multiple->label3[1]);
    TestUtil::click(multiple->label3[3]);
    const QString worksheet = u"Ondel worksheet - Rivers 1 Drainage Basins.pdf"_s;
    QCOMPARE(fx.boxes.texts(),
             QStringList { savedNote(u"Your worksheet is now printing."_s, worksheet) });
    QVERIFY(pdfText(worksheet).contains(u"Question 10"_s));
    QCOMPARE(multiple->Label4->caption(), u"Question 2"_s);

    // Root may write anywhere, so a plain file in the folder's place makes it unwritable.
    fx.boxes.clear();
    QVERIFY(QDir(SystemPrinter::pdfFolder()).removeRecursively());
    QFile blocker(SystemPrinter::pdfFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    const QStringList before = filesInHome();
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(fx.boxes.texts(), QStringList { problem });
    QCOMPARE(filesInHome(), before);
}

int main(int argc, char **argv)
{
    qputenv("CUPS_SERVER", "/nonexistent/ondel-no-cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QApplication app(argc, argv);
    QuizNoPrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quiznoprinter.moc"
