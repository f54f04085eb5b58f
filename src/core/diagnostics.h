#pragma once

#include <QLoggingCategory>

// The lines meant for a developer ("unable to open comport", "sep error", the
// name of an empty mandatory field): silent unless turned on, for example with
//     QT_LOGGING_RULES="rzm417.diagnostics.debug=true"
Q_DECLARE_LOGGING_CATEGORY(diagnostics)
