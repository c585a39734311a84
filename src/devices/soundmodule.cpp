// The sound module: sound effects on Qt Multimedia.
#include "devicemodule.h"
#include "soundoutput.h"
#include "systemsoundoutput.h"

ONDEL_DEVICE_MODULE(SoundOutput, SystemSoundOutput)
