#pragma once

#include "speechengine.h"

#include <QStringList>

// A speech engine for tests: says nothing and remembers every reading and every stop.
// Installs itself while it lives; available until told otherwise.
class RecordingSpeechEngine final : public SpeechEngine
{
public:
    RecordingSpeechEngine();
    ~RecordingSpeechEngine() override;

    bool available() override { return m_available; }
    void say(const QString &text) override;
    void stop() override;

    void setAvailable(bool available) { m_available = available; }
    // The readings, oldest first, and how many times speech was stopped.
    const QStringList &spoken() const { return m_spoken; }
    int stops() const { return m_stops; }
    void clear();

private:
    bool m_available = true;
    QStringList m_spoken;
    int m_stops = 0;
};
