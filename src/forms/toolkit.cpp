#include "toolkit.h"

#include "labelaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

namespace {

struct FontFile
{
    const char *path;
};

// Only Wine's regular Tahoma: its "bold" file is wider but no heavier, so bold captions would
// look regular. Without it, Qt synthesises bold from the regular face, which reads as bold.
constexpr FontFile tahomaFiles[] = {
    { "/usr/share/wine/fonts/tahoma.ttf" },
};

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

    for (const FontFile &file : tahomaFiles)
        QFontDatabase::addApplicationFont(QString::fromLatin1(file.path));
    for (const FontSubstitute &substitute : substitutes)
        QFont::insertSubstitution(QString::fromLatin1(substitute.designed),
                                  QString::fromLatin1(substitute.standIn));

    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    QAccessible::installFactory(&LabelAccessible::factory);
}
