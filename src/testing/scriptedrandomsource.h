#pragma once

#include "randomsource.h"

#include <QList>

// A random source for tests: returns a scripted sequence, starting over at its end.
// Installs itself while it lives.
class ScriptedRandomSource final : public RandomSource
{
public:
    // Values must lie in [0, 1); the default script is the single value 0.
    explicit ScriptedRandomSource(const QList<double> &values = { 0.0 });
    ~ScriptedRandomSource() override;

    double next() override;
    void seedFromClock() override { ++m_seeds; }

    // Replaces the script and starts at its first value.
    void setValues(const QList<double> &values);
    // How often seedFromClock was called.
    int seedCount() const { return m_seeds; }

private:
    QList<double> m_values;
    qsizetype m_next = 0;
    int m_seeds = 0;
};
