#pragma once

// Shared fixtures for the widget and screen tests.

#include "media.h"
#include "toolkit.h"
#include "twips.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace TestUtil {

// Call once from initTestCase(): the program's toolkit, and Qt's test mode.
inline void initialise()
{
    QStandardPaths::setTestModeEnabled(true);
    Toolkit::initialise();
}

// Saves the widget as <name>.png in the screenshot folder; returns its path.
inline QString grabScreenshot(QWidget *widget, const QString &name)
{
    const QString dir = QStringLiteral(ONDEL_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString file = QDir(dir).filePath(name + QStringLiteral(".png"));
    return widget->grab().save(file) ? file : QString();
}

// Mouse input in twips from the control's corner, through its window as a real pointer.
inline QPoint windowPoint(QWidget *control, double x, double y)
{
    const QPoint local(qRound(x / Twips::perPixel), qRound(y / Twips::perPixel));
    return control->mapTo(control->window(), local);
}

inline QWindow *windowOf(QWidget *control)
{
    return control->window()->windowHandle();
}

inline void mousePress(QWidget *control, double x, double y,
                       Qt::MouseButton button = Qt::LeftButton,
                       Qt::KeyboardModifiers modifiers = {})
{
    QTest::mousePress(windowOf(control), button, modifiers, windowPoint(control, x, y));
}

inline void mouseRelease(QWidget *control, double x, double y,
                         Qt::MouseButton button = Qt::LeftButton,
                         Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseRelease(windowOf(control), button, modifiers, windowPoint(control, x, y));
}

// Moves the pointer there; buttons pressed through mousePress stay held.
inline void mouseMove(QWidget *control, double x, double y)
{
    QTest::mouseMove(windowOf(control), windowPoint(control, x, y));
}

inline void click(QWidget *control, double x, double y, Qt::MouseButton button = Qt::LeftButton)
{
    mousePress(control, x, y, button);
    mouseRelease(control, x, y, button);
}

// Clicks / moves to the middle of a control.
inline QPointF centreTwips(QWidget *control)
{
    return Twips::fromPixels(QPointF(control->rect().center()));
}
inline void click(QWidget *control)
{
    const QPointF p = centreTwips(control);
    click(control, p.x(), p.y());
}
inline void mouseMove(QWidget *control)
{
    const QPointF p = centreTwips(control);
    mouseMove(control, p.x(), p.y());
}

// A key pressed and released where the keyboard's focus is, as a user types it.
inline void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : QApplication::activeWindow(), key, modifiers);
    QCoreApplication::processEvents();
}

// Presses Tab until the control has the focus; false when a round of its screen misses it.
inline bool tabTo(QWidget *control)
{
    for (int i = 0; i < 80 && QApplication::focusWidget() != control; ++i)
        key(Qt::Key_Tab);
    return QApplication::focusWidget() == control;
}

// Lets posted events and deferred deletions run.
inline void processEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs this row again as "nobody", which permissions bind; returns its exit status.
inline int runRowAsNobody()
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QDir::tempPath());
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral("setpriv"),
                { QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                  QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                  QString::fromLatin1(QTest::currentTestFunction()) + u':'
                      + QString::fromLatin1(QTest::currentDataTag()) });
    return child.waitForFinished(120000) ? child.exitCode() : -1;
}

} // namespace TestUtil

// Helpers for the tests that print through CUPS to the cups-pdf printer.
namespace TestUtil {

// Runs a command-line tool and returns what it wrote, empty if it failed.
inline QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where cups-pdf puts its files: its configured "Out" and anonymous folders, and the defaults.
inline QStringList cupsPdfFolders()
{
    QStringList folders;
    if (const QString dir = qEnvironmentVariable("ONDEL_CUPS_PDF_DIR"); !dir.isEmpty())
        folders.append(dir);
    QFile config(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (config.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QRegularExpression setting(QStringLiteral("^\\s*(Out|AnonDirName)\\s+(\\S.*)$"));
        while (!config.atEnd()) {
            const auto match = setting.match(QString::fromUtf8(config.readLine()).trimmed());
            if (match.hasMatch())
                folders.append(
                    match.captured(2).replace(QStringLiteral("${HOME}"), QDir::homePath()));
        }
    }
    folders << QDir::home().filePath(QStringLiteral("PDF"))
            << QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
    folders.removeDuplicates();
    return folders;
}

// cups-pdf names its file after the job, with each odd character turned into "_".
inline bool isCupsPdfOfJob(const QString &fileName, const QString &jobName)
{
    QString stem = jobName;
    for (QChar &c : stem) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'.')
            c = u'_';
    }
    return fileName.startsWith(stem) && fileName.size() > stem.size()
        && (fileName.at(stem.size()) == u'_' || fileName.at(stem.size()) == u'.');
}

// Removes the PDFs an earlier job of this name left, so that what arrives next is this job's.
inline void removeCupsPdfs(const QString &jobName)
{
    for (const QString &folder : cupsPdfFolders()) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList({ QStringLiteral("*.pdf") }, QDir::Files)) {
            if (isCupsPdfOfJob(file, jobName))
                QFile::remove(dir.filePath(file));
        }
    }
}

// The complete PDF of the named job, or empty after the timeout.
inline QString waitForCupsPdf(const QString &jobName, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        for (const QString &folder : cupsPdfFolders()) {
            const QDir dir(folder);
            for (const QString &file : dir.entryList({ QStringLiteral("*.pdf") }, QDir::Files)) {
                if (isCupsPdfOfJob(file, jobName)
                    && !runTool(QStringLiteral("pdftotext"),
                                { dir.filePath(file), QStringLiteral("-") })
                            .isEmpty())
                    return dir.filePath(file);
            }
        }
        QTest::qWait(100);
    } while (timer.elapsed() < timeoutMs);
    return QString();
}

// What a failed waitForCupsPdf waited for, for the test's failure message.
inline QString cupsPdfMissing(const QString &jobName, int timeoutMs)
{
    return QStringLiteral("no PDF of the print job \"%1\" arrived within %2 s in %3")
        .arg(jobName)
        .arg(timeoutMs / 1000)
        .arg(cupsPdfFolders().join(QStringLiteral(", ")));
}

} // namespace TestUtil
