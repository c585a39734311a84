#include "metafilebuilder.h"
#include "metafilerecords.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the wmf2png program as a teacher would on a small metafile: a 2 x 1 inch picture
// whose right half is a solid blue rectangle on the white background.
class TestWmf2png : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rendersAtNaturalSizeOrGivenDpi_data();
    void rendersAtNaturalSizeOrGivenDpi();
    void refusesBadInputWithAMessage_data();
    void refusesBadInputWithAMessage();

private:
    static QProcess *run(const QStringList &args);
    QTemporaryDir m_dir;
    QString m_wmf;
};

void TestWmf2png::initTestCase()
{
    QVERIFY(m_dir.isValid());
    MetafileBuilder builder;
    builder.anisotropic(2000, 1000);
    builder.brush(MetafileRecords::BsSolid, qRgb(0, 0, 255)).select(0);
    builder.pen(MetafileRecords::PsNull, 0, qRgb(0, 0, 0)).select(1);
    builder.rectangle(1000, 0, 2000, 1000);
    m_wmf = m_dir.filePath(QStringLiteral("half.wmf"));
    QFile file(m_wmf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(builder.build(QRect(0, 0, 2000, 1000), 1000));
}

QProcess *TestWmf2png::run(const QStringList &args)
{
    auto *process = new QProcess;
    process->start(QStringLiteral(ONDEL_WMF2PNG), args);
    process->waitForFinished(30000);
    return process;
}

void TestWmf2png::rendersAtNaturalSizeOrGivenDpi_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("size");
    QTest::newRow("natural size at 96 dpi") << QStringList() << QSize(192, 96);
    QTest::newRow("150 dpi") << QStringList { QStringLiteral("--dpi"), QStringLiteral("150") }
                             << QSize(300, 150);
}

void TestWmf2png::rendersAtNaturalSizeOrGivenDpi()
{
    QFETCH(QStringList, options);
    QFETCH(QSize, size);
    const QString png = m_dir.filePath(QStringLiteral("out.png"));
    QFile::remove(png);
    std::unique_ptr<QProcess> process(run(options + QStringList { m_wmf, png }));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());

    const QImage image(png);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.pixel(size.width() / 4, size.height() / 2), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(size.width() * 3 / 4, size.height() / 2), qRgb(0, 0, 255));
}

void TestWmf2png::refusesBadInputWithAMessage_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a metafile")
        << QByteArray("GIF89a not a picture") << QStringList() << QStringLiteral("not a metafile");
    QTest::newRow("zero dpi") << QByteArray() << QStringList { QStringLiteral("--dpi=0") }
                              << QStringLiteral("--dpi");
    QTest::newRow("dpi not a number")
        << QByteArray() << QStringList { QStringLiteral("--dpi=high") } << QStringLiteral("--dpi");
}

void TestWmf2png::refusesBadInputWithAMessage()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QString input = m_wmf;
    if (!content.isEmpty()) {
        input = m_dir.filePath(QStringLiteral("bad.wmf"));
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString png = m_dir.filePath(QStringLiteral("refused.png"));
    std::unique_ptr<QProcess> process(run(options + QStringList { input, png }));
    QCOMPARE(process->exitCode(), 1);
    QVERIFY(QString::fromLocal8Bit(process->readAllStandardError()).contains(message));
    QVERIFY(!QFile::exists(png));
}

QTEST_GUILESS_MAIN(TestWmf2png)
#include "test_wmf2png.moc"
