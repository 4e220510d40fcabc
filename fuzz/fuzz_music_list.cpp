// The music list file.
#include "FuzzInput.h"
#include "music/MusicList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sondex::MusicList list;
    list.load(sondex::fuzz::inputFile(data, size, QStringLiteral("music.lst")));
    list.names();
    return 0;
}
