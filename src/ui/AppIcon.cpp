#include "ui/AppIcon.h"

#include <QString>

namespace sondex {

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/sondex-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace sondex
