#include "toolkit.h"

#include "fontfiles.h"
#include "labelaccessible.h"
#include "mediapath.h"
#include "nativewindow.h"

#include <QAccessible>
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include <cstdio>
#include <future>

namespace {

const QString tahoma = QStringLiteral("Tahoma");
// Close to Tahoma in width and always installed with the program.
const QString tahomaStandIn = QStringLiteral("Liberation Sans");

struct TahomaFile
{
    bool installed = false; // the system's fonts have it: nothing to register
    QString file; // else Wine's, found with the program's own configuration; empty: none
};

// Asked of fontconfig, not of Qt's font database: filling that now would fill it twice. Only
// fontconfig, so it may run on a thread of its own.
TahomaFile findTahoma(const QString &ownConfiguration)
{
    if (!FontFiles::regularFace(tahoma, QString()).isEmpty())
        return { true, QString() };
    return { false, FontFiles::regularFace(tahoma, ownConfiguration) };
}

// Never fails: without Tahoma a close face stands in.
void registerTahoma(const TahomaFile &found)
{
    if (found.installed)
        return;
    if (!found.file.isEmpty() && QFontDatabase::addApplicationFont(found.file) >= 0)
        return;
    std::fprintf(stderr, "%s: the font Tahoma (package fonts-wine) was not found; %s stands in\n",
                 qPrintable(QCoreApplication::applicationName()), qPrintable(tahomaStandIn));
    QFont::insertSubstitution(tahoma, tahomaStandIn);
}

struct FontSubstitute
{
    const char *designed;
    const char *standIn;
};

constexpr FontSubstitute substitutes[] = {
    { "Times New Roman", "Liberation Serif" },
    { "Arial", "Liberation Sans" },
    { "MS Sans Serif", "Tahoma" },
};

std::future<TahomaFile> g_tahoma;

} // namespace

void Toolkit::initialise()
{
    startInitialising();
    finishInitialising();
}

void Toolkit::startInitialising()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    // On a thread of its own; where none can be started, in finishInitialising().
    g_tahoma = std::async(std::launch::async | std::launch::deferred, findTahoma,
                          MediaPath::resolve(QStringLiteral("fonts/fonts.conf")));
    for (const FontSubstitute &substitute : substitutes)
        QFont::insertSubstitution(QString::fromLatin1(substitute.designed),
                                  QString::fromLatin1(substitute.standIn));

    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    QAccessible::installFactory(&LabelAccessible::factory);
}

void Toolkit::finishInitialising()
{
    if (!g_tahoma.valid())
        return;
    NativeWindow::flush();
    registerTahoma(g_tahoma.get());
}
