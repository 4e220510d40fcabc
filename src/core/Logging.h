#pragma once

#include <QLoggingCategory>

// Diagnostic output, off by default; enable with QT_LOGGING_RULES="sondex.*=true".
Q_DECLARE_LOGGING_CATEGORY(lcStartup)
Q_DECLARE_LOGGING_CATEGORY(lcForward)
Q_DECLARE_LOGGING_CATEGORY(lcNotice)
