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
    // Owned through the application object, so speech stops before the application goes.
    static QPointer<QObject> owner;
    static SpeechEngine *real = nullptr;
    if (!owner) {
        owner = new QObject(QCoreApplication::instance());
        real = createSystemSpeechEngine(owner);
    }
    return *real;
}

void SpeechEngine::install(SpeechEngine *engine)
{
    g_installed = engine;
}
