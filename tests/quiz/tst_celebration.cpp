#include "celebration.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class CelebrationTest : public QObject
{
    Q_OBJECT

private slots:
    void rowChosenByScore_data();
    void rowChosenByScore();
    void eachSoundOfARowIsEquallyLikely_data();
    void eachSoundOfARowIsEquallyLikely();
};

void CelebrationTest::rowChosenByScore_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<QStringList>("sounds");
    QTest::newRow("12") << 12 << QStringList { u"wav\\halleluj.wav"_s };
    QTest::newRow("11") << 11 << QStringList { u"wav\\fanf4.wav"_s, u"wav\\slot_payoff.wav"_s };
    QTest::newRow("10") << 10 << QStringList { u"wav\\fanf2.wav"_s, u"wav\\fanf3.wav"_s };
    QTest::newRow("9") << 9
                       << QStringList { u"wav\\crowd.wav"_s, u"wav\\cheer2.wav"_s,
                                        u"wav\\klaxon.wav"_s };
    QTest::newRow("8") << 8
                       << QStringList { u"wav\\flute.wav"_s, u"wav\\gong.wav"_s,
                                        u"wav\\clap2.wav"_s };
    QTest::newRow("7") << 7
                       << QStringList { u"wav\\drumroll.wav"_s, u"wav\\laser2.wav"_s,
                                        u"wav\\whizz.wav"_s };
    QTest::newRow("6") << 6 << QStringList { u"wav\\clap3.wav"_s, u"wav\\clown.wav"_s };
    QTest::newRow("5 plays nothing") << 5 << QStringList();
    QTest::newRow("0 plays nothing") << 0 << QStringList();
    QTest::newRow("13 plays nothing") << 13 << QStringList();
    QTest::newRow("negative plays nothing") << -1 << QStringList();
}

void CelebrationTest::rowChosenByScore()
{
    QFETCH(int, score);
    QFETCH(QStringList, sounds);
    QCOMPARE(Celebration::sounds(score), sounds);
    if (sounds.isEmpty())
        QCOMPARE(Celebration::choose(score, 0.5), QString());
}

void CelebrationTest::eachSoundOfARowIsEquallyLikely_data()
{
    QTest::addColumn<int>("score");
    for (int score : { 12, 11, 10, 9, 8, 7, 6 })
        QTest::addRow("%d", score) << score;
}

// Sound r covers exactly the numbers in [r / n, (r + 1) / n).
void CelebrationTest::eachSoundOfARowIsEquallyLikely()
{
    QFETCH(int, score);
    const QStringList sounds = Celebration::sounds(score);
    const int n = int(sounds.size());
    for (int r = 0; r < n; ++r) {
        const double from = double(r) / n;
        const double to = double(r + 1) / n;
        QCOMPARE(Celebration::choose(score, from), sounds[r]);
        QCOMPARE(Celebration::choose(score, (from + to) / 2), sounds[r]);
        QCOMPARE(Celebration::choose(score, std::nextafter(to, 0.0)), sounds[r]);
    }

    // Many evenly spread draws fall evenly on the sounds.
    QMap<QString, int> counts;
    const int draws = 6000;
    for (int i = 0; i < draws; ++i)
        ++counts[Celebration::choose(score, (i + 0.5) / draws)];
    QCOMPARE(counts.size(), n);
    for (const QString &sound : sounds)
        QCOMPARE(counts.value(sound), draws / n);
}

QTEST_APPLESS_MAIN(CelebrationTest)
#include "tst_celebration.moc"
