// LocalMgmtProxy's life: creation, binding, the in-process service lookup and
// the resolution of observers' callback channels. The operations live in
// localmgmt/, one file per area of the service.
#include "LocalMgmtProxy.h"

#include "localmgmt/LocalMgmtOperation.h"

namespace {
// The channel option LocalMgmtProxy asks for when it is bound.
const int kLocalMgmtChannelOption = 4;
}  // namespace

LocalMgmtProxy::~LocalMgmtProxy() = default;

void LocalMgmtProxy::initProxy(ProxyRequest& request) {
    proxyReq = &request;
    proxyReq->setProxyOption(kLocalMgmtChannelOption);
}

LocalMgmtIfc* LocalMgmtProxy::getService() { return localServiceFor(); }

LocalMgmtIfc* LocalMgmtProxy::lookUpService(const char* operation) {
    ProxyRequest& channel = mgmt::boundChannel(proxyReq, operation);
    // One search per proxy, whatever it finds: a service that appears later is
    // never called directly, and a miss is never asked about again. A channel
    // without a framework context knows no in-process service.
    Service* service = nullptr;
    if (FrameworkContext* context = channel.frameworkContext)
        service = context->findRealService(channel.getServiceName(), std::string());
    localServiceLookedUp = true;
    // A service object that does not implement this interface counts as none.
    if (service != nullptr) localService = dynamic_cast<LocalMgmtIfc*>(service);
    return localService;
}

void LocalMgmtProxy::findCallBackChan(Executable* observer, std::string& callbackChan, std::string methodName) {
    resolveCallBackChan(observer, callbackChan, methodName.c_str(), "findCallBackChan");
}

void LocalMgmtProxy::resolveCallBackChan(Executable* observer, std::string& callbackChan, const char* methodName,
                                         const char* operation) {
    ProxyRequest& channel = mgmt::boundChannel(proxyReq, operation);
    MGMT_TRACE("findCallBackChan");
    if (observer == nullptr) {
        MGMT_LOG_ERROR("method:%s observer is not an Executable callbackChan is null", methodName);
        return;
    }
    FrameworkContext* context = channel.frameworkContext;
    callbackChan = context != nullptr ? context->findChannel(observer) : std::string();
    MGMT_LOG_IF(5, "%s: callback channel set: %s", methodName, callbackChan.c_str());
}

Proxy* createLocalMgmtProxy() { return new LocalMgmtProxy(); }
