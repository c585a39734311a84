#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

// The real program on a real X server, clicked as a pupil clicks it: OK on the title, the
// main menu checked on a photograph of the screen, then Exit and Exit to end it.
class EndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_display = qEnvironmentVariable("ONDEL_TEST_DISPLAY", u":99"_s);
        for (const QString &tool : { u"xdpyinfo"_s, u"xdotool"_s, u"import"_s }) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(u"%1 is not installed (scripts/test installs it)"_s.arg(tool)));
        }
        const std::optional<QString> info = run(u"xdpyinfo"_s, { u"-display"_s, m_display });
        if (!info)
            QSKIP(qPrintable(u"No X server answers on %1; scripts/test starts Xvfb there "
                             "(ONDEL_TEST_DISPLAY chooses another)"_s.arg(m_display)));
        const QRegularExpression dimensions(u"dimensions:\\s+(\\d+)x(\\d+) pixels"_s);
        const auto match = dimensions.match(*info);
        QVERIFY(match.hasMatch());
        m_screen = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        QVERIFY2(m_screen.width() >= 800 && m_screen.height() >= 600,
                 "the X screen must hold an 800 x 600 window");
    }

    void pupilPassesTheTitleSeesTheMenuAndLeaves()
    {
        QProcess ondel;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, m_display);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        ondel.setProcessEnvironment(environment);
        ondel.setWorkingDirectory(QCoreApplication::applicationDirPath());
        ondel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        ondel.start(QCoreApplication::applicationDirPath() + u"/ondel"_s, {});
        QVERIFY2(ondel.waitForStarted(), qPrintable(ondel.errorString()));
        auto stop = qScopeGuard([&ondel] {
            if (ondel.state() != QProcess::NotRunning) {
                ondel.kill();
                ondel.waitForFinished();
            }
        });

        // Screens are centred on the display (no window manager under Xvfb moves them).
        const QPoint title = centred(5685, 6570);
        const QPoint menu = centred(12000, 9000);
        // The title's grey card, between the credits and the buttons.
        const QPoint titleGrey = title + pixels(60, 5910 - 20);
        QVERIFY2(waitFor([&](const QImage &shot) {
                     return isColour(shot, titleGrey, qRgb(192, 192, 192))
                         && isColour(shot, QPoint(1, 1), qRgb(48, 133, 214));
                 }),
                 "the title screen did not appear over the backdrop");

        clickAt(title + pixels(1320 + 667, 5910 + 187)); // OK
        QImage shot;
        QVERIFY2(waitFor([&](const QImage &image) {
                     shot = image;
                     return isColour(image, menu + pixels(5925, 6000), qRgb(0, 78, 152))
                         && isColour(image, menu + pixels(100, 8800), qRgb(0, 78, 152))
                         && yellowPixels(image,
                                         QRect(menu + pixels(4500, 120), menu + pixels(7500, 1020)))
                         > 200;
                 }),
                 "the main menu did not appear");
        QVERIFY(shot.copy(QRect(menu, QSize(800, 600)))
                    .save(QStringLiteral(ONDEL_SCREENSHOT_DIR) + u"/endtoend_mainmenu.png"_s));

        clickAt(menu + pixels(10560 + 622, 7920 + 247)); // Exit on the menu
        QVERIFY2(waitFor([&](const QImage &image) {
                     return isColour(image, titleGrey, qRgb(192, 192, 192));
                 }),
                 "the title screen did not come back");
        QCOMPARE(ondel.state(), QProcess::Running);
        clickAt(title + pixels(2760 + 667, 5910 + 187)); // Exit on the title

        QVERIFY2(ondel.waitForFinished(10000), "the program did not end");
        QCOMPARE(ondel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ondel.exitCode(), 0);
    }

private:
    // Runs a tool on the test display and returns what it printed; nothing when it fails.
    std::optional<QString> run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, m_display);
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return std::nullopt;
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    }

    QImage screenshot()
    {
        const QString file = m_dir.filePath(u"screen.png"_s);
        QFile::remove(file);
        if (!run(u"import"_s, { u"-display"_s, m_display, u"-window"_s, u"root"_s, file }))
            return QImage();
        return QImage(file);
    }

    // Photographs the screen until check passes, for at most ten seconds.
    bool waitFor(const std::function<bool(const QImage &)> &check)
    {
        QElapsedTimer timer;
        timer.start();
        QImage shot;
        while (timer.elapsed() < 10000) {
            shot = screenshot();
            if (!shot.isNull() && check(shot))
                return true;
            QThread::msleep(100);
        }
        // What the screen showed last, to see what went wrong.
        shot.save(QStringLiteral(ONDEL_SCREENSHOT_DIR) + u"/endtoend_failed.png"_s);
        return false;
    }

    void clickAt(const QPoint &point)
    {
        run(u"xdotool"_s,
            { u"mousemove"_s, QString::number(point.x()), QString::number(point.y()), u"sleep"_s,
              u"0.2"_s, u"click"_s, u"1"_s });
    }

    // Top-left pixel of a window of this size in twips, centred as the program centres it.
    QPoint centred(double width, double height) const
    {
        return QPoint(int(std::lround((m_screen.width() * 15.0 / 2 - width / 2) / 15)),
                      int(std::lround((m_screen.height() * 15.0 / 2 - height / 2) / 15)));
    }

    static QPoint pixels(double x, double y)
    {
        return QPoint(int(std::lround(x / 15)), int(std::lround(y / 15)));
    }

    // Screenshots may come in any depth; compare 8-bit red, green and blue.
    static bool isColour(const QImage &image, const QPoint &point, QRgb rgb)
    {
        if (!image.rect().contains(point))
            return false;
        const QColor c = image.pixelColor(point);
        return c.red() == qRed(rgb) && c.green() == qGreen(rgb) && c.blue() == qBlue(rgb);
    }

    static int yellowPixels(const QImage &image, const QRect &rect)
    {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() < 80)
                    ++count;
            }
        }
        return count;
    }

    QString m_display;
    QSize m_screen;
    QTemporaryDir m_dir;
};

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
