#include "randomsource.h"
#include "scriptedrandomsource.h"

#include <QTest>

class RandomSourceTest : public QObject
{
    Q_OBJECT

private slots:
    void realSourceIsUniformInHalfOpenRange();
    void reseedingFromClockGivesFreshSequences();
    void scriptedSourceRepeatsItsScript();
};

void RandomSourceTest::realSourceIsUniformInHalfOpenRange()
{
    RandomSource::install(nullptr);
    RandomSource &source = RandomSource::current();
    source.seedFromClock();
    // Three equally likely choices, as the celebration table makes them.
    constexpr int draws = 30000;
    int counts[3] = {};
    for (int i = 0; i < draws; ++i) {
        const double value = source.next();
        QVERIFY(value >= 0.0 && value < 1.0);
        ++counts[int(value * 3)];
    }
    for (int count : counts)
        QVERIFY2(qAbs(count - draws / 3) < draws / 60, qPrintable(QString::number(count)));
}

void RandomSourceTest::reseedingFromClockGivesFreshSequences()
{
    RandomSource &source = RandomSource::current();
    source.seedFromClock();
    const double first[3] = { source.next(), source.next(), source.next() };
    QTest::qSleep(2);
    source.seedFromClock();
    const double second[3] = { source.next(), source.next(), source.next() };
    QVERIFY(!std::equal(std::begin(first), std::end(first), std::begin(second)));
}

void RandomSourceTest::scriptedSourceRepeatsItsScript()
{
    RandomSource &real = RandomSource::current();
    {
        ScriptedRandomSource scripted({ 0.1, 0.99 });
        RandomSource &source = RandomSource::current();
        source.seedFromClock();
        const double drawn[] = { source.next(), source.next(), source.next() };
        QCOMPARE(QList<double>(std::begin(drawn), std::end(drawn)),
                 QList<double>({ 0.1, 0.99, 0.1 }));
    }
    QCOMPARE(&RandomSource::current(), &real);
}

QTEST_GUILESS_MAIN(RandomSourceTest)
#include "tst_randomsource.moc"
