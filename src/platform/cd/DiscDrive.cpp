#include "platform/cd/DiscDrive.h"

#include "platform/cd/CdioDrive.h"
#include "platform/cd/CueImageDrive.h"

namespace sondex::cd {

bool isDiscImage(const QString& target) {
    return target.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive) ||
           target.endsWith(QLatin1String(".toc"), Qt::CaseInsensitive);
}

std::unique_ptr<DiscDrive> openDiscDrive(const QString& target) {
    if (target.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return std::make_unique<CueImageDrive>(target);
    return std::make_unique<CdioDrive>(target);
}

}  // namespace sondex::cd
