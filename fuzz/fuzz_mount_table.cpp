// The mount table (/proc/self/mountinfo) the drive lists are built from.
#include "FuzzInput.h"
#include "platform/DiskVolumes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex;
    const QList<MountEntry> mounts = parseMountTable(fuzz::bytes(data, size).toByteArray());
    for (const MountEntry& m : diskVolumeMounts(mounts)) {
        isNetworkFileSystem(m.fileSystem);
        volumeKind(m.fileSystem, m.mountPoint, false);
    }
    return 0;
}
