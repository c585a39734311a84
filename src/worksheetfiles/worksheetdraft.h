#pragma once

#include <QString>

#include <array>

// A worksheet as the wizard's boxes hold it: question q (1 to 10) is questions[q-1], its
// answer k (0 = A to 3 = D) is answers[4(q-1)+k], ticked when ticks[4(q-1)+k] is set.
struct WorksheetDraft
{
    // The most characters the wizard's boxes take.
    static constexpr int titleMaxLength = 25;
    static constexpr int questionMaxLength = 60;
    static constexpr int answerMaxLength = 30;

    QString title;
    std::array<QString, 10> questions;
    std::array<QString, 40> answers;
    std::array<bool, 40> ticks {};

    bool operator==(const WorksheetDraft &) const = default;
};
