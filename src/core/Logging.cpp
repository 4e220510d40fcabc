#include "core/Logging.h"

Q_LOGGING_CATEGORY(lcStartup, "sondex.startup", QtWarningMsg)
Q_LOGGING_CATEGORY(lcForward, "sondex.forward", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNotice, "sondex.notice", QtWarningMsg)
