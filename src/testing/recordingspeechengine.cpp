#include "recordingspeechengine.h"

RecordingSpeechEngine::RecordingSpeechEngine()
{
    install(this);
}

RecordingSpeechEngine::~RecordingSpeechEngine() = default;

void RecordingSpeechEngine::say(const QString &text)
{
    m_spoken.append(text);
}

void RecordingSpeechEngine::stop()
{
    ++m_stops;
}

void RecordingSpeechEngine::clear()
{
    m_spoken.clear();
    m_stops = 0;
}
