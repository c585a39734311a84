#pragma once

#include "speechengine.h"

#include <QObject>

class QTextToSpeech;

// Reads aloud through Qt TextToSpeech, with the flite engine where it is installed and Qt's
// default engine otherwise. The text-to-speech engine itself starts at the first reading.
class SystemSpeechEngine final : public QObject, public SpeechEngine
{
    Q_OBJECT
public:
    explicit SystemSpeechEngine(QObject *parent = nullptr);
    ~SystemSpeechEngine() override;

    bool available() override;
    void say(const QString &text) override;
    void stop() override;

private:
    QTextToSpeech *m_speech = nullptr;
    bool m_failed = false;
};
