#include "diagnostics.h"

// Debug lines are off by default; warnings and above stay on.
Q_LOGGING_CATEGORY(diagnostics, "rzm417.diagnostics", QtInfoMsg)
