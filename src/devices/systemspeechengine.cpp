#include "systemspeechengine.h"

#include <QTextToSpeech>

namespace {

const QString flite = QStringLiteral("flite");

} // namespace

SystemSpeechEngine::SystemSpeechEngine(QObject *parent)
    : QObject(parent)
{ }

SystemSpeechEngine::~SystemSpeechEngine() = default;

bool SystemSpeechEngine::available()
{
    // Asks for the engines' plugin descriptions only; no engine is loaded for it.
    static const bool installed = !QTextToSpeech::availableEngines().isEmpty();
    return installed && !m_failed;
}

void SystemSpeechEngine::say(const QString &text)
{
    if (!available())
        return;
    if (!m_speech) {
        const bool hasFlite = QTextToSpeech::availableEngines().contains(flite);
        m_speech = new QTextToSpeech(hasFlite ? flite : QString(), this);
        if (m_speech->state() == QTextToSpeech::Error) {
            m_failed = true;
            return;
        }
    }
    m_speech->stop(QTextToSpeech::BoundaryHint::Immediate);
    m_speech->say(text);
}

void SystemSpeechEngine::stop()
{
    if (m_speech)
        m_speech->stop(QTextToSpeech::BoundaryHint::Immediate);
}
