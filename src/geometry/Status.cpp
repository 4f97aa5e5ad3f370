#include "Status.h"

Q_LOGGING_CATEGORY(lcTrace, "tessaron.trace", QtWarningMsg)
