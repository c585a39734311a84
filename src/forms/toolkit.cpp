#include "toolkit.h"

#include "fontfiles.h"
#include "labelaccessible.h"
#include "mediapath.h"

#include <QAccessible>
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include <cstdio>

namespace {

const QString tahoma = QStringLiteral("Tahoma");
// Close to Tahoma in width and always installed with the program.
const QString tahomaStandIn = QStringLiteral("Liberation Sans");

// Tahoma from the system's fonts, else the regular face of Wine's, which the program's own
// font configuration finds. Never fails: without either a close face stands in.
void registerTahoma()
{
    // Asked of fontconfig, not of Qt's font database: filling that now would fill it twice.
    if (!FontFiles::regularFace(tahoma, QString()).isEmpty())
        return;
    const QString file
        = FontFiles::regularFace(tahoma, MediaPath::resolve(QStringLiteral("fonts/fonts.conf")));
    if (!file.isEmpty() && QFontDatabase::addApplicationFont(file) >= 0)
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

} // namespace

void Toolkit::initialise()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    registerTahoma();
    for (const FontSubstitute &substitute : substitutes)
        QFont::insertSubstitution(QString::fromLatin1(substitute.designed),
                                  QString::fromLatin1(substitute.standIn));

    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    QAccessible::installFactory(&LabelAccessible::factory);
}
