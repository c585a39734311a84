#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Every media file made again is the same byte for byte.
class TestMediaReproducible : public QObject
{
    Q_OBJECT

private slots:
    void mediaMadeAgainIsIdentical();
};

void TestMediaReproducible::mediaMadeAgainIsIdentical()
{
    const QString media = QStringLiteral(ONDEL_MEDIA_DIR);
    QFile manifest(QStringLiteral(ONDEL_MEDIA_MANIFEST));
    QVERIFY(manifest.open(QIODevice::ReadOnly | QIODevice::Text));
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());

    int commands = 0;
    while (!manifest.atEnd()) {
        const QString line = QString::fromUtf8(manifest.readLine()).chopped(1);
        if (line.isEmpty())
            continue;
        QStringList args = line.split(u'\t');
        for (QString &arg : args) {
            if (arg.startsWith(media)) {
                arg.replace(0, media.size(), scratch.path());
                QDir().mkpath(QFileInfo(arg).absolutePath());
            }
        }
        QProcess mediagen;
        mediagen.start(QStringLiteral(ONDEL_MEDIAGEN), args);
        QVERIFY(mediagen.waitForFinished(60000));
        QVERIFY2(mediagen.exitCode() == 0, mediagen.readAllStandardError().constData());
        ++commands;
    }
    QVERIFY(commands > 40);

    int compared = 0;
    QDirIterator it(scratch.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString made = it.next();
        const QString relative = QDir(scratch.path()).relativeFilePath(made);
        QFile first(QDir(media).filePath(relative));
        QFile second(made);
        QVERIFY2(first.open(QIODevice::ReadOnly), qPrintable(relative));
        QVERIFY(second.open(QIODevice::ReadOnly));
        QVERIFY2(first.readAll() == second.readAll(),
                 qPrintable(relative + QStringLiteral(" differs")));
        ++compared;
    }
    QVERIFY(compared > 70);
}

QTEST_GUILESS_MAIN(TestMediaReproducible)
#include "test_mediareproducible.moc"
