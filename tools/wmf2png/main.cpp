// wmf2png: renders a Windows metafile to a PNG through the program's own player, at the
// picture's natural size at 96 dpi or at the resolution given with --dpi.

#include "metafile.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <cmath>

namespace {

constexpr int defaultDpi = 96;
constexpr int maxDpi = 2400;
// Keeps a wrong --dpi or a huge picture from asking for gigabytes.
constexpr qint64 maxPixels = qint64(16384) * 16384;

int fail(const QString &message)
{
    QTextStream(stderr) << "wmf2png: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Text needs the font database, which wants a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wmf2png"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders a Windows metafile to a PNG on a white background."));
    parser.addHelpOption();
    const QCommandLineOption dpiOption(QStringLiteral("dpi"),
                                       QStringLiteral("Resolution (default 96)."),
                                       QStringLiteral("N"), QString::number(defaultDpi));
    parser.addOption(dpiOption);
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("The .wmf file."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The .png to write."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return fail(QStringLiteral("give an input metafile and an output PNG"));

    bool ok = false;
    const int dpi = parser.value(dpiOption).toInt(&ok);
    if (!ok || dpi <= 0 || dpi > maxDpi)
        return fail(QStringLiteral("--dpi must be a whole number from 1 to %1").arg(maxDpi));

    const Metafile metafile = Metafile::fromFile(args.at(0));
    if (!metafile.isValid())
        return fail(QStringLiteral("%1 is not a metafile that can be played").arg(args.at(0)));

    const QSizeF twips = metafile.naturalSizeTwips();
    const int width = std::max(1, int(std::lround(twips.width() * dpi / 1440.0)));
    const int height = std::max(1, int(std::lround(twips.height() * dpi / 1440.0)));
    if (qint64(width) * height > maxPixels)
        return fail(QStringLiteral("%1 x %2 pixels is too large").arg(width).arg(height));

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return fail(QStringLiteral("not enough memory for %1 x %2 pixels").arg(width).arg(height));
    image.fill(Qt::white);
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        metafile.play(painter, QRectF(0, 0, width, height));
    }
    if (!image.save(args.at(1), "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(args.at(1)));
    return 0;
}
