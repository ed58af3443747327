#include "shell/UDataRoots.h"

#include "platform/core/files.h"
#include "platform/ui/application.h"

String AppDir;
String DataDir;

namespace {

String WithFolderEnd(String folder) {
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
    return folder;
}

}  // namespace

void InitPaths() {
    const String folder = ExtractFilePath(Application ? Application->ExeName() : String());
    AppDir = WithFolderEnd(folder);
    DataDir = WithFolderEnd(folder);
}

void DonePaths() {
    AppDir.clear();
    DataDir.clear();
}
