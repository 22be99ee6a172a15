#include "suite/devices/devices_log.h"

Q_LOGGING_CATEGORY(lcSuiteDevices, "tmk.suite.devices", QtWarningMsg)
