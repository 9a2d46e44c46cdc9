#include "RawService.h"

#include <set>
#include <string>
#include <vector>

#include <sdbus-c++/sdbus-c++.h>

#include "bus/BusNames.h"
#include "bus/MethodCoding.h"
#include "description/ServiceDescription.h"

int runRawService(const std::string& address, const char* busName) {
    auto connection = sdbus::createSessionBusConnectionWithAddress(address);
    auto object = sdbus::createObject(*connection, mgmtbus::kServicePath);
    std::set<std::string> exported;
    for (const mgmtdesc::Operation& method : mgmtdesc::operations()) {
        if (!exported.insert(method.remote).second) continue;
        const mgmtbus::MethodSignature signature = mgmtbus::signatureOf(method);
        sdbus::Flags flags;
        if (mgmtdesc::isOneWay(method.style)) flags.set(sdbus::Flags::METHOD_NO_REPLY);
        object->registerMethod(
            mgmtbus::kRemoteInterface, method.remote, signature.in, signature.inNames, signature.out,
            signature.outNames,
            [&method](sdbus::MethodCall call) {
                if (call.doesntExpectReply()) return;
                auto reply = call.createReply();
                for (const mgmtdesc::Read& value : method.reply) mgmtbus::appendZero(reply, value.kind);
                reply << std::vector<std::string>(method.reply.size());
                reply.send();
            },
            flags);
    }
    object->finishRegistration();
    connection->requestName(busName);
    connection->enterEventLoop();  // until the bench ends it
    return 0;
}
