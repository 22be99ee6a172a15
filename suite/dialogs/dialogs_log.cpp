#include "suite/dialogs/dialogs_log.h"

Q_LOGGING_CATEGORY(lcSuiteDialogs, "tmk.suite.dialogs", QtWarningMsg)
