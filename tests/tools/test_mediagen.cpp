#include "expression.h"
#include "gifwriter.h"
#include "metafile.h"
#include "pagewriter.h"
#include "soundrecipe.h"
#include "svgtemplate.h"
#include "synthesizer.h"
#include "wavfile.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>

class TestMediagen : public QObject
{
    Q_OBJECT

private slots:
    void expressionEvaluates_data();
    void expressionEvaluates();
    void expressionRejectsMistakes_data();
    void expressionRejectsMistakes();
    void templateExpandsIncludesConditionsAndValues();
    void templateReportsMistakes_data();
    void templateReportsMistakes();
    void noteNamesGiveTheirPitch_data();
    void noteNamesGiveTheirPitch();
    void recipeRejectsMistakesWithTheLine_data();
    void recipeRejectsMistakesWithTheLine();
    void synthesisIsRepeatableFadedAndAtItsPeak();
    void wavHeaderDescribesTheSamples();
    void gifKeepsSizeAndFlatColours();
    void pageIsAPlaceableMetafileOfTheGivenSize();
};

void TestMediagen::expressionEvaluates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("precedence") << u"1 + 2 * 3"_qs << 7.0;
    QTest::newRow("modulo of a negative") << u"-1 % 3"_qs << 2.0;
    QTest::newRow("degrees") << u"sin(90) + cos(180)"_qs << 0.0;
    QTest::newRow("nested calls") << u"max(2, min(5, 3))"_qs << 3.0;
    QTest::newRow("variable") << u"40 + 20 * t"_qs << 50.0;
    QTest::newRow("comparison true") << u"0.55 > t"_qs << 1.0;
}

void TestMediagen::expressionEvaluates()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const std::optional<double> result = Expression::evaluate(text, { { u"t"_qs, 0.5 } });
    QVERIFY(result);
    QVERIFY2(std::abs(*result - value) < 1e-9, qPrintable(QString::number(*result)));
}

void TestMediagen::expressionRejectsMistakes_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("dangling operator") << u"1 +"_qs;
    QTest::newRow("unknown name") << u"speed * 2"_qs;
    QTest::newRow("division by zero") << u"1 / 0"_qs;
    QTest::newRow("wrong argument count") << u"sin(1, 2)"_qs;
}

void TestMediagen::expressionRejectsMistakes()
{
    QFETCH(QString, text);
    QVERIFY(!Expression::evaluate(text, {}));
}

void TestMediagen::templateExpandsIncludesConditionsAndValues()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir(dir.path()).mkdir(u"parts"_qs);
    QFile part(dir.filePath(u"parts/ring.svgi"_qs));
    QVERIFY(part.open(QIODevice::WriteOnly));
    part.write("<circle r=\"{{ 10 + 20 * t }}\"/>");
    part.close();

    SvgTemplate svg({ dir.filePath(u"parts"_qs) });
    svg.setVariable(u"t"_qs, 0.25);
    svg.setVariable(u"print"_qs, 0.0);
    const QString text = u"<g><?include ring.svgi?><?if print?>paper<?else?>screen"
                         u"<?if t > 0.5?>late<?endif?><?endif?></g>"_qs;
    QCOMPARE(svg.expandText(text, dir.path()), u"<g><circle r=\"15\"/>screen</g>"_qs);
    QVERIFY(svg.error().isEmpty());

    svg.setVariable(u"print"_qs, 1.0);
    QCOMPARE(svg.expandText(u"<?if print?>paper<?else?>screen<?endif?>"_qs, dir.path()),
             u"paper"_qs);
}

void TestMediagen::templateReportsMistakes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing include") << u"<?include nowhere.svgi?>"_qs << u"include not found"_qs;
    QTest::newRow("if without endif") << u"<?if 1?>x"_qs << u"without <?endif?>"_qs;
    QTest::newRow("bad value") << u"<rect width=\"{{ 3 * }}\"/>"_qs << u"bad expression"_qs;
}

void TestMediagen::templateReportsMistakes()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    SvgTemplate svg;
    QVERIFY(svg.expandText(text, QDir::tempPath()).isEmpty());
    QVERIFY2(svg.error().contains(error), qPrintable(svg.error()));
}

void TestMediagen::noteNamesGiveTheirPitch_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("hertz");
    QTest::newRow("A4") << u"A4"_qs << 440.0;
    QTest::newRow("sharp") << u"F#4"_qs << 369.994;
    QTest::newRow("flat") << u"Bb3"_qs << 233.082;
    QTest::newRow("not a note") << u"H4"_qs << 0.0;
}

void TestMediagen::noteNamesGiveTheirPitch()
{
    QFETCH(QString, name);
    QFETCH(double, hertz);
    QVERIFY(std::abs(SoundRecipe::noteFrequency(name) - hertz) < 0.01);
}

void TestMediagen::recipeRejectsMistakesWithTheLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("no events") << u"length 1\n"_qs << u"no sound events"_qs;
    QTest::newRow("unknown statement") << u"# a comment\nbeep at=0\n"_qs << u"line 2"_qs;
    QTest::newRow("bad note") << u"tone note=X9\n"_qs << u"not a note"_qs;
    QTest::newRow("peak at full scale") << u"peak 1\ntone\n"_qs << u"line 1"_qs;
}

void TestMediagen::recipeRejectsMistakesWithTheLine()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    SoundRecipe recipe;
    QString message;
    QVERIFY(!recipe.parse(text, &message));
    QVERIFY2(message.contains(error), qPrintable(message));
}

void TestMediagen::synthesisIsRepeatableFadedAndAtItsPeak()
{
    SoundRecipe recipe;
    QString error;
    QVERIFY2(recipe.parse(u"length 0.5\npeak 0.7\nseed 3\n"
                          u"tone at=0 dur=0.5 note=F#4 wave=brass   # a sharp, not a comment\n"
                          u"noise at=0.1 dur=0.3 band=1500 q=2\n"
                          u"bursts at=0 dur=0.5 rate=20 jitter=1\n"_qs,
                          &error),
             qPrintable(error));
    QCOMPARE(recipe.events.size(), 3);
    QCOMPARE(recipe.events.first().text(u"note"_qs), u"F#4"_qs);

    const QList<float> first = Synthesizer::render(recipe);
    QCOMPARE(first, Synthesizer::render(recipe));
    QCOMPARE(first.size(), qsizetype(0.5 * Synthesizer::sampleRate));
    float peak = 0.0f;
    for (float s : first)
        peak = std::max(peak, std::abs(s));
    QVERIFY(std::abs(peak - 0.7f) < 1e-5f);
    QCOMPARE(first.first(), 0.0f);
    QVERIFY(std::abs(first.last()) < 1e-3f);

    recipe.seed = 4;
    QVERIFY(Synthesizer::render(recipe) != first);
}

void TestMediagen::wavHeaderDescribesTheSamples()
{
    const QByteArray wav = WavFile::encode({ 0.0f, 1.0f, -1.0f, 2.0f }, 22050);
    QCOMPARE(wav.size(), 44 + 8);
    auto word = [&wav](int at) { return qFromLittleEndian<qint16>(wav.constData() + at); };
    QCOMPARE(word(44), qint16(0));
    QCOMPARE(word(46), qint16(32767));
    QCOMPARE(word(48), qint16(-32767));
    QCOMPARE(word(50), qint16(32767)); // out-of-range input is held at full scale
    QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), 22050u);
}

void TestMediagen::gifKeepsSizeAndFlatColours()
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(QColor(0x31, 0x82, 0xd4));
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 20; ++y)
            image.setPixel(x, y, qRgb(255, 255, 255));
    image.setPixel(29, 19, qRgb(255, 255, 0));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"frame.gif"_qs);
    QString error;
    QVERIFY2(GifWriter::write(image, path, &error), qPrintable(error));
    const QImage back = QImage(path).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(back.size(), image.size());
    QCOMPARE(back.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(back.pixel(20, 10), qRgb(0x31, 0x82, 0xd4));
    QCOMPARE(back.pixel(29, 19), qRgb(255, 255, 0));
    QVERIFY(!GifWriter::write(image, dir.filePath(u"missing/frame.gif"_qs), &error));
}

void TestMediagen::pageIsAPlaceableMetafileOfTheGivenSize()
{
    const QString svg = u"<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" "
                        u"baseProfile=\"tiny\" viewBox=\"0 0 400 300\"><rect width=\"400\" "
                        u"height=\"300\" fill=\"#2f86cc\"/><text x=\"20\" y=\"50\" "
                        u"font-family=\"Arial\" font-size=\"24\">Rivers</text></svg>"_qs;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.wmf"_qs);
    QString error;
    QVERIFY2(PageWriter::write(svg, QSizeF(4000, 3000), path, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(4), QByteArray("\xD7\xCD\xC6\x9A"));
    const Metafile metafile = Metafile::fromFile(path);
    QVERIFY(metafile.isValid());
    QCOMPARE(metafile.naturalSizeTwips().toSize(), QSize(4000, 3000));

    QVERIFY(!PageWriter::write(u"<svg"_qs, QSizeF(4000, 3000), path, &error));
}

QTEST_MAIN(TestMediagen)
#include "test_mediagen.moc"
