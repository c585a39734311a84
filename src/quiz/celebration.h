#pragma once

#include <QString>
#include <QStringList>

// The celebration sounds of the results screen, chosen by the score alone.
namespace Celebration {

// The sounds that may play for this score, each equally likely; empty when none plays.
QStringList sounds(int score);

// The sound for this score and a uniform number in [0, 1): sound number
// int(uniform * count); an empty string when the score has no sounds.
QString choose(int score, double uniform);

} // namespace Celebration
