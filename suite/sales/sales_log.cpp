#include "suite/sales/sales_log.h"

Q_LOGGING_CATEGORY(lcSuiteSales, "tmk.suite.sales")
