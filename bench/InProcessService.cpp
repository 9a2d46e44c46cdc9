// The service as it would sit in the client's process. Only getData is ever
// called on it; the rest of the interface is borrowed from the proxy class so
// that the stand-in stays a few lines long.
#include "BenchRig.h"
#include "LocalMgmtProxy.h"

namespace {

class InProcessService final : public Service, public LocalMgmtProxy {
public:
    void init(Context&) override {}
    void shutdown() override {}
    void run() override {}

    bool getData(ManageableData& data) override { return !data.values().empty(); }
};

}  // namespace

std::unique_ptr<Service> bench::makeInProcessService() { return std::make_unique<InProcessService>(); }
