#include "speechengine.h"

#include "devicemodule.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// Stands in where the speech module cannot be loaded: nothing can be read aloud.
class NoSpeechEngine final : public SpeechEngine
{
public:
    bool available() override { return false; }
    void say(const QString &) override { }
    void stop() override { }
};

} // namespace

SpeechEngine &SpeechEngine::current()
{
    if (SpeechEngine *device = installed())
        return *device;
    // The real engine lives in the speech module, loaded on first use. It goes with the
    // application object, so speech stops before the application does.
    static QPointer<QObject> owner;
    static SpeechEngine *real = nullptr;
    static NoSpeechEngine none;
    if (!owner) {
        owner = new QObject(QCoreApplication::instance());
        real = DeviceModule::create<SpeechEngine>("speech").release();
        QObject::connect(owner, &QObject::destroyed, [] {
            delete real;
            real = nullptr;
        });
    }
    return real ? *real : none;
}
