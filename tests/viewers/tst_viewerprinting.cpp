#include "viewertestsupport.h"

#include "printer.h"
#include "recordingmessageboxes.h"

#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Where cups-pdf puts its files: its configured "Out" folder, the folder for anonymous jobs,
// and the usual defaults.
QStringList cupsPdfFolders()
{
    QStringList folders;
    QFile config(u"/etc/cups/cups-pdf.conf"_s);
    if (config.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QRegularExpression setting(u"^\\s*(Out|AnonDirName)\\s+(\\S.*)$"_s);
        while (!config.atEnd()) {
            const QString line = QString::fromUtf8(config.readLine()).trimmed();
            if (const auto match = setting.match(line); match.hasMatch())
                folders.append(match.captured(2).replace(u"${HOME}"_s, QDir::homePath()));
        }
    }
    folders << QDir::home().filePath(u"PDF"_s) << u"/var/spool/cups-pdf/ANONYMOUS"_s;
    folders.removeDuplicates();
    return folders;
}

QString pdfText(const QString &file)
{
    QProcess process;
    process.start(u"pdftotext"_s, { file, u"-"_s });
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the PDF written after `since` that holds `token`, waiting up to the timeout.
QString waitForPdfText(const QDateTime &since, const QString &token, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        for (const QString &folder : cupsPdfFolders()) {
            QDirIterator it(folder, { u"*.pdf"_s }, QDir::Files);
            while (it.hasNext()) {
                const QString file = it.next();
                if (it.fileInfo().lastModified() < since)
                    continue;
                const QString text = pdfText(file);
                if (text.contains(token))
                    return text;
            }
        }
        QTest::qWait(250);
    }
    return QString();
}

} // namespace

// The key facts page printed from the viewer on the real default printer (cups-pdf).
class TestViewerPrinting final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void keyFactsPageArrivesAsPdfWithItsText();
};

void TestViewerPrinting::initTestCase()
{
    TestUtil::initialise();
}

void TestViewerPrinting::keyFactsPageArrivesAsPdfWithItsText()
{
    if (QPrinterInfo::defaultPrinter().isNull())
        QSKIP("No default printer (scripts/test sets up the cups-pdf printer ClassroomPDF).");

    FakeDesktop desktop;
    RecordingSoundPlayer sound;
    RecordingMessageBoxes messages;
    TestUtil::TemporaryMedia media;
    ViewerTest::installMedia(media);
    // The page's own words, with a mark no other print-out carries.
    const QString token = u"Drainage%1"_s.arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    ViewerTest::writePage(media, u"key rivers 1.wmf"_s,
                          u"Rivers 1 Key Facts %1 A river begins at its source."_s.arg(token));
    Printer::install(nullptr);

    QVERIFY(ViewerTest::showMainMenu());
    TestUtil::click(intro0->Label2[5]);
    QVERIFY(QTest::qWaitForWindowExposed(rivers1.get()));
    TestUtil::click(rivers1->label3[4]);
    QVERIFY(teacher.isLoaded());
    QCOMPARE(teacher->Image2->picture().sourcePath(), u"wmf2\\key rivers 1.wmf"_s);

    const QDateTime since = QDateTime::currentDateTime().addSecs(-2);
    TestUtil::click(teacher->label3[0]);
    QVERIFY(messages.shown().isEmpty());

    const QString text = waitForPdfText(since, token, 60000);
    QVERIFY2(!text.isEmpty(), "the printed page did not arrive as a PDF");
    QVERIFY2(text.simplified().contains(u"A river begins at its source."_s), qPrintable(text));
    QVERIFY(teacher->isVisible());

    ViewerTest::unloadScreens();
}

QTEST_MAIN(TestViewerPrinting)
#include "tst_viewerprinting.moc"
