#include "suite/common/common_log.h"

Q_LOGGING_CATEGORY(lcSuiteCommon, "tmk.suite.common", QtWarningMsg)
