#include "scriptedrandomsource.h"

#include <QtGlobal>

ScriptedRandomSource::ScriptedRandomSource(const QList<double> &values)
{
    setValues(values);
    install(this);
}

ScriptedRandomSource::~ScriptedRandomSource() = default;

double ScriptedRandomSource::next()
{
    const double value = m_values.at(m_next);
    m_next = (m_next + 1) % m_values.size();
    return value;
}

void ScriptedRandomSource::setValues(const QList<double> &values)
{
    Q_ASSERT_X(!values.isEmpty(), "ScriptedRandomSource", "the script needs a value");
    for (double value : values)
        Q_ASSERT_X(value >= 0 && value < 1, "ScriptedRandomSource", "values lie in [0, 1)");
    m_values = values.isEmpty() ? QList<double> { 0.0 } : values;
    m_next = 0;
}
