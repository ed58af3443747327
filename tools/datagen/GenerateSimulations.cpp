#include "tools/datagen/Generate.h"
void RequestSimulationSpeech(TSpeech&) {}
void WriteSimulationFiles(TDataTree&, const TSpeech&) {}
