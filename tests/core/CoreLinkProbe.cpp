// Linked from the widget-free libraries only, so that the layer check can see
// which Qt libraries they pull in.
#include "cd/CdRecording.h"
#include "core/Settings.h"
#include "files/FolderPaths.h"
#include "music/MusicRecording.h"
#include "recording/ManualRecording.h"

int main() {
    sondex::Settings settings(QStringLiteral("/tmp/"));
    const char* name = sondex::ManualRecording::staticMetaObject.className();
    return settings.isOn(sondex::Setting::BackColor) && name ? 1 : 0;
}
