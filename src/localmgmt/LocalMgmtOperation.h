// What every source file of LocalMgmtProxy's operations shares: the records
// name the proxy's path, and requests are built with RemoteCall.
#pragma once

#include "LocalMgmtProxy.h"

#define MGMT_LOG_FILE "./src/LocalMgmtProxy"
#include "call/ProxyLog.h"
#include "call/RemoteCall.h"

using mgmt::RemoteCall;
using mgmt::rebootInstead;
