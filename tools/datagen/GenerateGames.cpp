#include "tools/datagen/Generate.h"
void RequestGameSpeech(TSpeech&) {}
void WriteGameFiles(TDataTree&, const TSpeech&) {}
