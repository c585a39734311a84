#include "celebration.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class CelebrationTest : public QObject
{
    Q_OBJECT

private slots:
    void eachSoundOfTheScoresRowIsEquallyLikely_data();
    void eachSoundOfTheScoresRowIsEquallyLikely();
};

void CelebrationTest::eachSoundOfTheScoresRowIsEquallyLikely_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<QStringList>("sounds");
    auto row = [](int score, const QStringList &sounds) {
        QTest::addRow("%d", score) << score << sounds;
    };
    row(12, { u"wav\\halleluj.wav"_s });
    row(11, { u"wav\\fanf4.wav"_s, u"wav\\slot_payoff.wav"_s });
    row(10, { u"wav\\fanf2.wav"_s, u"wav\\fanf3.wav"_s });
    row(9, { u"wav\\crowd.wav"_s, u"wav\\cheer2.wav"_s, u"wav\\klaxon.wav"_s });
    row(8, { u"wav\\flute.wav"_s, u"wav\\gong.wav"_s, u"wav\\clap2.wav"_s });
    row(7, { u"wav\\drumroll.wav"_s, u"wav\\laser2.wav"_s, u"wav\\whizz.wav"_s });
    row(6, { u"wav\\clap3.wav"_s, u"wav\\clown.wav"_s });
    for (int silent : { 5, 0, 13, -1 })
        row(silent, {});
}

// Sound r covers exactly the numbers in [r / n, (r + 1) / n).
void CelebrationTest::eachSoundOfTheScoresRowIsEquallyLikely()
{
    QFETCH(int, score);
    QFETCH(QStringList, sounds);
    QCOMPARE(Celebration::sounds(score), sounds);
    if (sounds.isEmpty()) {
        QCOMPARE(Celebration::choose(score, 0.5), QString());
        return;
    }
    const int n = int(sounds.size());
    for (int r = 0; r < n; ++r) {
        const double from = double(r) / n;
        const double to = double(r + 1) / n;
        QCOMPARE(Celebration::choose(score, from), sounds[r]);
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
