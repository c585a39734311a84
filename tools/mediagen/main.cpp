// mediagen: builds the classroom media from their text sources.
//   mediagen picture SRC.svg OUT.(jpg|bmp|png) WIDTH HEIGHT   (variables "width", "height")
//   mediagen frames  SRC.svg OUTDIR PREFIX COUNT WIDTH HEIGHT   (GIF frames, t = i / COUNT)
//   mediagen page    SRC.svg OUT.wmf WIDTH_TWIPS HEIGHT_TWIPS [--print]
//   mediagen sound   RECIPE.txt OUT.wav
//   mediagen check-text SRC.svg...   (fails when any text would not be seen whole)
// Option: -I DIR adds an include folder.

#include "fontfiles.h"
#include "gifwriter.h"
#include "pagewriter.h"
#include "soundrecipe.h"
#include "svgpicture.h"
#include "svgtemplate.h"
#include "synthesizer.h"
#include "textfit.h"
#include "wavfile.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "mediagen: %s\n", qPrintable(message));
    return 1;
}

int usage()
{
    return fail(QStringLiteral(
        "usage: mediagen picture|frames|page|sound|check-text ... (see the comment in main.cpp)"));
}

void registerFonts()
{
    // The drawings name Tahoma; Wine's regular Tahoma stands in for it, found as the program
    // finds it (see media-src/fonts/fonts.conf).
    if (FontFiles::regularFace(QStringLiteral("Tahoma"), QString()).isEmpty())
        QFontDatabase::addApplicationFont(
            FontFiles::regularFace(QStringLiteral("Tahoma"), QStringLiteral(ONDEL_FONTS_CONF)));
}

int toInt(const QString &text, bool *ok)
{
    const int value = text.toInt(ok);
    *ok = *ok && value > 0 && value <= 20000;
    return value;
}

int makePicture(SvgTemplate &svg, const QStringList &args)
{
    bool ok1 = false, ok2 = false;
    const int width = toInt(args.value(2), &ok1);
    const int height = toInt(args.value(3), &ok2);
    if (args.size() != 4 || !ok1 || !ok2)
        return usage();
    // A drawing made for boxes of more than one shape lays itself out for the size asked.
    svg.setVariable(QStringLiteral("width"), width);
    svg.setVariable(QStringLiteral("height"), height);
    const QString text = svg.expandFile(args.at(0));
    if (text.isEmpty())
        return fail(svg.error());
    QString error;
    const QImage image = SvgPicture::render(text, width, height, &error);
    if (image.isNull() || !SvgPicture::save(image, args.at(1), &error))
        return fail(args.at(0) + QStringLiteral(": ") + error);
    return 0;
}

int makeFrames(SvgTemplate &svg, const QStringList &args)
{
    bool ok1 = false, ok2 = false, ok3 = false;
    const int count = toInt(args.value(3), &ok1);
    const int width = toInt(args.value(4), &ok2);
    const int height = toInt(args.value(5), &ok3);
    if (args.size() != 6 || !ok1 || !ok2 || !ok3)
        return usage();
    QDir().mkpath(args.at(1));
    for (int i = 0; i < count; ++i) {
        svg.setVariable(QStringLiteral("t"), double(i) / count);
        const QString text = svg.expandFile(args.at(0));
        if (text.isEmpty())
            return fail(svg.error());
        QString error;
        const QImage image = SvgPicture::render(text, width, height, &error);
        const QString out
            = QDir(args.at(1))
                  .filePath(
                      QStringLiteral("%1%2.gif").arg(args.at(2)).arg(i, 4, 10, QLatin1Char('0')));
        if (image.isNull() || !GifWriter::write(image, out, &error))
            return fail(args.at(0) + QStringLiteral(": ") + error);
    }
    return 0;
}

int makePage(SvgTemplate &svg, const QStringList &args, bool print)
{
    bool ok1 = false, ok2 = false;
    const int width = toInt(args.value(2), &ok1);
    const int height = toInt(args.value(3), &ok2);
    if (args.size() != 4 || !ok1 || !ok2)
        return usage();
    svg.setVariable(QStringLiteral("print"), print ? 1.0 : 0.0);
    const QString text = svg.expandFile(args.at(0));
    if (text.isEmpty())
        return fail(svg.error());
    QString error;
    if (!PageWriter::write(text, QSizeF(width, height), args.at(1), &error))
        return fail(args.at(0) + QStringLiteral(": ") + error);
    return 0;
}

int makeSound(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    QFile in(args.at(0));
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args.at(0)));
    SoundRecipe recipe;
    QString error;
    if (!recipe.parse(QString::fromUtf8(in.readAll()), &error))
        return fail(args.at(0) + QStringLiteral(": ") + error);
    QSaveFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly)
        || out.write(WavFile::encode(Synthesizer::render(recipe), Synthesizer::sampleRate)) < 0
        || !out.commit())
        return fail(QStringLiteral("cannot write %1").arg(args.at(1)));
    return 0;
}

// Checks the screen copy of each drawing; the print copy draws the same texts in the same
// places.
int checkText(SvgTemplate &svg, const QStringList &sources)
{
    if (sources.isEmpty())
        return usage();
    int problems = 0;
    for (const QString &source : sources) {
        const QString text = svg.expandFile(source);
        if (text.isEmpty())
            return fail(svg.error());
        QString error;
        const QStringList found = TextFit::check(text, &error);
        if (!error.isEmpty())
            return fail(source + QStringLiteral(": ") + error);
        for (const QString &problem : found)
            std::fprintf(stderr, "%s: %s\n", qPrintable(source), qPrintable(problem));
        problems += int(found.size());
    }
    if (problems > 0)
        return fail(QStringLiteral("%1 texts do not fit").arg(problems));
    std::printf("mediagen: every text of %d drawings fits\n", int(sources.size()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder even when it draws off screen.
        const QString runtime = QDir::tempPath() + QStringLiteral("/mediagen-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    QGuiApplication app(argc, argv);
    registerFonts();

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    QStringList includeDirs;
    QStringList positional;
    [[maybe_unused]] bool print = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"-I" && i + 1 < args.size()) {
            includeDirs.append(args.at(++i));
        } else if (args.at(i) == u"--print") {
            print = true;
        } else {
            positional.append(args.at(i));
        }
    }
    SvgTemplate svg(includeDirs);
    svg.setVariable(QStringLiteral("print"), 0.0);

    if (command == u"picture")
        return makePicture(svg, positional);
    if (command == u"frames")
        return makeFrames(svg, positional);
    if (command == u"page")
        return makePage(svg, positional, print);
    if (command == u"sound")
        return makeSound(positional);
    if (command == u"check-text")
        return checkText(svg, positional);
    return usage();
}
