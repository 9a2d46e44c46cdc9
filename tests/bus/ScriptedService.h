// A service of the test's own on its private bus: the bus exporter serving
// the kit's recording channel as the test scripts it, in a fork of the test
// process, so the test can have it fail, leave values out, hang or die
// mid-call (from the channel's onCall hook).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ChildProcess.h"
#include "testing/RecordingChannel.h"

namespace bustest {

// Scripts the service's channel, in the service's process.
using ServiceScript = std::function<void(mgmtkit::RecordingChannel& service)>;

// Returns once the service has its name; it is killed when it goes. Start it
// before the test starts threads (a channel has one): it is a fork.
std::unique_ptr<ChildProcess> serveScripted(const std::string& busName, const ServiceScript& script);

}  // namespace bustest
