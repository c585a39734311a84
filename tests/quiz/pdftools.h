#pragma once

// Reading back what reached paper: the PDFs the cups-pdf printer writes, their text and a
// picture of their first page.

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace PdfTools {

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString text(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"),
               { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
}

// Renders page 1 as <screenshot folder>/<name>.png; returns the PNG's path or "".
inline QString renderFirstPage(const QString &pdf, const QString &name)
{
    const QString base = QDir(QStringLiteral(ONDEL_SCREENSHOT_DIR)).filePath(name);
    run(QStringLiteral("pdftoppm"),
        { QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
          QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, base });
    const QString png = base + QStringLiteral(".png");
    return QFile::exists(png) ? png : QString();
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

// The PDF written since `since` whose text holds `token`, waiting up to the timeout.
inline QString waitForPdf(const QDateTime &since, const QString &token, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        for (const QString &folder : cupsPdfFolders()) {
            QDirIterator it(folder, { QStringLiteral("*.pdf") }, QDir::Files);
            while (it.hasNext()) {
                const QString file = it.next();
                if (it.fileInfo().lastModified() < since)
                    continue;
                if (text(file).contains(token))
                    return file;
            }
        }
        QTest::qWait(250);
    }
    return QString();
}

} // namespace PdfTools
