#include "speechengine.h"

#include "systemspeechengine.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

SpeechEngine *g_installed = nullptr;

} // namespace

SpeechEngine::~SpeechEngine()
{
    if (g_installed == this)
        g_installed = nullptr;
}

SpeechEngine &SpeechEngine::current()
{
    if (g_installed)
        return *g_installed;
    // Owned by the application object, so speech stops before the application goes.
    static QPointer<SystemSpeechEngine> real;
    if (!real)
        real = new SystemSpeechEngine(QCoreApplication::instance());
    return *real;
}

void SpeechEngine::install(SpeechEngine *engine)
{
    g_installed = engine;
}
