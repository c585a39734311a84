#include "celebration.h"

#include <QStringView>

#include <algorithm>
#include <array>

namespace {

struct CelebrationRow
{
    int score;
    int count;
    std::array<QStringView, 3> sounds;
};

constexpr std::array<CelebrationRow, 7> celebrationTable { {
    { 12, 1, { u"wav\\halleluj.wav" } },
    { 11, 2, { u"wav\\fanf4.wav", u"wav\\slot_payoff.wav" } },
    { 10, 2, { u"wav\\fanf2.wav", u"wav\\fanf3.wav" } },
    { 9, 3, { u"wav\\crowd.wav", u"wav\\cheer2.wav", u"wav\\klaxon.wav" } },
    { 8, 3, { u"wav\\flute.wav", u"wav\\gong.wav", u"wav\\clap2.wav" } },
    { 7, 3, { u"wav\\drumroll.wav", u"wav\\laser2.wav", u"wav\\whizz.wav" } },
    { 6, 2, { u"wav\\clap3.wav", u"wav\\clown.wav" } },
} };

const CelebrationRow *rowFor(int score)
{
    const auto it = std::find_if(celebrationTable.begin(), celebrationTable.end(),
                                 [score](const CelebrationRow &row) { return row.score == score; });
    return it == celebrationTable.end() ? nullptr : &*it;
}

} // namespace

namespace Celebration {

QStringList sounds(int score)
{
    QStringList result;
    if (const CelebrationRow *row = rowFor(score)) {
        for (int i = 0; i < row->count; ++i)
            result.append(row->sounds[i].toString());
    }
    return result;
}

QString choose(int score, double uniform)
{
    const CelebrationRow *row = rowFor(score);
    if (!row)
        return QString();
    const int r = std::clamp(static_cast<int>(uniform * row->count), 0, row->count - 1);
    return row->sounds[r].toString();
}

} // namespace Celebration
