// The speech module: reading aloud on Qt TextToSpeech.
#include "devicemodule.h"
#include "speechengine.h"
#include "systemspeechengine.h"

ONDEL_DEVICE_MODULE(SpeechEngine, SystemSpeechEngine)
