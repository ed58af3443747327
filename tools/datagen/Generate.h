// The three parts of the data tree. Each first asks for the speech it needs,
// then writes its files once the speech is ready.
#pragma once

#include "tools/datagen/DataTree.h"
#include "tools/datagen/Sounds.h"

void RequestShellSpeech(TSpeech& speech);
void WriteShellFiles(TDataTree& tree, const TSpeech& speech);

void RequestGameSpeech(TSpeech& speech);
void WriteGameFiles(TDataTree& tree, const TSpeech& speech);

void RequestSimulationSpeech(TSpeech& speech);
void WriteSimulationFiles(TDataTree& tree, const TSpeech& speech);

// The help button's spoken help, "sound\help\<name>.wav", by name.
const char* HelpText(const char* name);

// The text files' bytes scrambled as the program reads them.
std::string Scrambled(const std::string& bytes);
