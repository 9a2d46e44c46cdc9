// The request channel without a transport and the default framework context.
#include "Framework.h"

#include <utility>

FrameworkContext::~FrameworkContext() = default;

std::string FrameworkContext::findChannel(Executable*) { return std::string(); }

Service* FrameworkContext::findRealService(const std::string&, const std::string&) { return nullptr; }

namespace {

[[noreturn]] void throwNoTransport(const Method& request) {
    throw CorvexException("no transport bound for " + request.name());
}

}  // namespace

ProxyRequest::ProxyRequest(std::string serviceName) : serviceName_(std::move(serviceName)) {}

ProxyRequest::~ProxyRequest() = default;

bool ProxyRequest::synchronousCall(Method& request, Method&, std::string&) { throwNoTransport(request); }

bool ProxyRequest::synchronousCall(Method& request, Method&, std::string&, int) { throwNoTransport(request); }

bool ProxyRequest::asynchronousCall(Method& request) { throwNoTransport(request); }

bool ProxyRequest::asynchronousCallWithChannel(Method& request, std::string&) { throwNoTransport(request); }

bool ProxyRequest::setProxyOption(const int&) { return true; }

const std::string& ProxyRequest::getServiceName() { return serviceName_; }
