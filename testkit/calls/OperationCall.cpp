// One line per operation: how its arguments reach the member of its interface.
// Names, types and order come from the row; a call that does not fit them is
// refused before anything is called.
#include "testing/OperationCall.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <type_traits>

namespace mgmtkit {

namespace {

using mgmtdesc::ArgType;
using L = LocalMgmtIfc;
using A = ActionEventRequestIfc;

// The arguments of one call, by position, and its result.
class Call {
public:
    Call(const ServiceInterfaces& services, std::vector<ArgumentValue>& arguments)
        : services_(services), arguments_(arguments) {}

    LocalMgmtIfc& local() { return reach(services_.local); }
    ActionEventRequestIfc& actions() { return reach(services_.actions); }
    LocationDeliveryRequestIfc& location() { return reach(services_.location); }

    int number(std::size_t i) { return get<int>(i); }
    unsigned int unsignedNumber(std::size_t i) { return get<unsigned int>(i); }
    bool flag(std::size_t i) { return get<bool>(i); }
    std::string& text(std::size_t i) { return get<std::string>(i); }
    std::list<std::string>& list(std::size_t i) { return get<std::list<std::string>>(i); }
    ManageableData& data(std::size_t i) { return get<ManageableData>(i); }
    SNMPTrapData& trapData(std::size_t i) { return get<SNMPTrapData>(i); }
    MemoryInfo& info(std::size_t i) { return get<MemoryInfo>(i); }
    MgmtAgentIfc* agent(std::size_t i) { return get<AgentHandle>(i).agent; }
    Executable* observer(std::size_t i) { return get<AgentHandle>(i).executable; }
    template <class Enum>
    Enum as(std::size_t i) {
        return static_cast<Enum>(number(i));
    }
    L::eFiletype fileType(std::size_t i) { return as<L::eFiletype>(i); }
    L::eUsertype userType(std::size_t i) { return as<L::eUsertype>(i); }

    template <class Value>
    void result(Value value) {
        result_ = ArgumentValue(std::move(value));
    }
    std::optional<ArgumentValue> takeResult() { return std::move(result_); }

private:
    template <class Interface>
    static Interface& reach(Interface* interface) {
        if (interface == nullptr) throw std::invalid_argument("the operation's interface was not given");
        return *interface;
    }
    template <class T>
    T& get(std::size_t i) {
        return std::get<T>(arguments_.at(i));
    }

    const ServiceInterfaces& services_;
    std::vector<ArgumentValue>& arguments_;
    std::optional<ArgumentValue> result_;
};

using Invoke = std::function<void(Call&)>;

// clang-format off
const std::map<std::string, Invoke>& calls() {
    static const std::map<std::string, Invoke> table = {
        {"findSchemaName", [](Call& c) { c.result(c.local().findSchemaName(c.text(0))); }},
        {"exportSchema", [](Call& c) { c.result(c.local().exportSchema(c.text(0))); }},
        {"startDownload", [](Call& c) {
            c.result(c.local().startDownload(c.fileType(0), c.flag(1), c.as<L::eCertificateType>(2)));
        }},
        {"startDownloadWithObserver", [](Call& c) {
            c.result(c.local().startDownload(c.fileType(0), c.observer(1), c.flag(2), c.as<L::eCertificateType>(3)));
        }},
        {"startDownloadFrom", [](Call& c) {
            c.result(c.local().startDownload(c.as<L::eDownloadProtocol>(0), c.text(1), c.text(2), c.text(3), c.text(4),
                                             c.fileType(5), c.text(6), c.text(7), c.flag(8),
                                             c.as<L::eCertificateType>(9)));
        }},
        {"startDownloadFromWithObserver", [](Call& c) {
            c.result(c.local().startDownload(c.as<L::eDownloadProtocol>(0), c.text(1), c.text(2), c.text(3), c.text(4),
                                             c.fileType(5), c.text(6), c.text(7), c.observer(8), c.flag(9),
                                             c.text(10), c.flag(11), c.as<L::eCertificateType>(12)));
        }},
        {"upgradeSoftwareImageWithFile", [](Call& c) { c.result(c.local().upgradeSoftwareImageWithFile(c.text(0))); }},
        {"uploadUserFile", [](Call& c) { c.result(c.local().uploadUserFile(c.fileType(0), c.text(1))); }},
        {"requestCurrentDownloadStatus", [](Call& c) {
            c.result(c.local().requestCurrentDownloadStatus(c.fileType(0), c.text(1)));
        }},
        {"getIDAndDisplayName", [](Call& c) { c.result(c.local().getIDAndDisplayName(c.text(0), c.text(1))); }},
        {"changeCurrentUser", [](Call& c) { c.result(c.local().changeCurrentUser(c.userType(0))); }},
        {"clearMobileUserData", [](Call& c) { c.result(c.local().clearMobileUserData()); }},
        {"getFilePathFromType", [](Call& c) { c.result(c.local().getFilePathFromType(c.fileType(0), c.text(1))); }},
        {"getFilePathFromTypeForUser", [](Call& c) {
            c.result(c.local().getFilePathFromType(c.fileType(0), c.text(1), c.userType(2)));
        }},
        {"getListOfFilesOfType", [](Call& c) { c.result(c.local().getListOfFilesOfType(c.fileType(0), &c.list(1))); }},
        {"getListOfFilesOfTypeForUser", [](Call& c) {
            c.result(c.local().getListOfFilesOfType(c.fileType(0), &c.list(1), c.userType(2)));
        }},
        {"getFileTypeMetadata", [](Call& c) { c.result(c.local().getFileTypeMetadata(c.fileType(0))); }},
        {"getFileTypeCountLimit", [](Call& c) { c.result(c.local().getFileTypeCountLimit(c.fileType(0))); }},
        {"getFileTypeNameLimit", [](Call& c) { c.result(c.local().getFileTypeNameLimit(c.fileType(0))); }},
        {"setPhoneBusyStatus", [](Call& c) { c.local().setPhoneBusyStatus(c.unsignedNumber(0)); }},
        {"retrievePhoneBusyStatus", [](Call& c) { c.result(c.local().retrievePhoneBusyStatus()); }},
        {"clearPhoneBusyStatus", [](Call& c) { c.local().clearPhoneBusyStatus(c.unsignedNumber(0)); }},
        {"performFactoryReset", [](Call& c) { c.result(c.local().performFactoryReset(c.text(0), c.flag(1))); }},
        {"verifyFactoryResetPassword", [](Call& c) { c.result(c.local().verifyFactoryResetPassword(c.text(0))); }},
        {"performReboot", [](Call& c) { c.result(c.local().performReboot(c.text(0))); }},
        {"setData", [](Call& c) { c.result(c.local().setData(c.data(0))); }},
        {"getData", [](Call& c) { c.result(c.local().getData(c.data(0))); }},
        {"getSchema", [](Call& c) { c.result(c.local().getSchema(c.text(0), c.data(1))); }},
        {"manageableDataChanged", [](Call& c) { c.result(c.local().manageableDataChanged(c.data(0))); }},
        {"registerManagementIdentity", [](Call& c) { c.local().registerManagementIdentity(c.text(0), c.agent(1)); }},
        {"registerManagementIdentityBulk", [](Call& c) {
            c.local().registerManagementIdentity(c.text(0), c.agent(1), c.flag(2));
        }},
        {"observeManageableData", [](Call& c) { c.result(c.local().observeManageableData(c.text(0), c.agent(1))); }},
        {"observeManageableDataBulk", [](Call& c) {
            c.result(c.local().observeManageableData(c.text(0), c.agent(1), c.flag(2)));
        }},
        {"observeManageableDataList", [](Call& c) {
            c.result(c.local().observeManageableData(c.list(0), c.agent(1)));
        }},
        {"stopObservingManageableData", [](Call& c) {
            c.result(c.local().stopObservingManageableData(c.text(0), c.agent(1)));
        }},
        {"raiseGenericTrap", [](Call& c) { c.result(c.local().raiseGenericTrap(c.as<L::TrapDest>(0), c.number(1))); }},
        {"raiseSpecificTrap", [](Call& c) {
            c.result(c.local().raiseSpecificTrap(c.as<L::TrapDest>(0), c.trapData(1)));
        }},
        {"checkDataEditable", [](Call& c) {
            c.result(c.local().checkDataEditable(c.data(0), c.as<L::eAccessLevel>(1)));
        }},
        {"setDataEditable", [](Call& c) { c.local().setDataEditable(c.data(0), c.as<L::eEditableStatus>(1)); }},
        {"invalidateTRVKCache", [](Call& c) { c.local().invalidateTRVKCache(); }},
        {"clearAllUserData", [](Call& c) { c.result(c.local().clearAllUserData()); }},
        {"clearSpecificUserData", [](Call& c) {
            c.local().clearSpecificUserData(c.as<L::eResetSpecificUserDataGroup>(0));
        }},
        {"factoryResetPreservingData", [](Call& c) { c.local().factoryResetPreservingData(); }},
        {"getUserDataSpaceInfo", [](Call& c) { c.local().getUserDataSpaceInfo(c.info(0)); }},
        {"validateFile", [](Call& c) { c.result(c.local().validateFile(c.fileType(0), c.text(1))); }},
        {"deleteFile", [](Call& c) { c.result(c.local().deleteFile(c.fileType(0), c.text(1))); }},
        {"cleanupUserData", [](Call& c) { c.local().cleanupUserData(c.fileType(0), c.userType(1)); }},
        {"refreshPictureClips", [](Call& c) { c.local().refreshPictureClips(); }},
        {"getEnvironmentVariable", [](Call& c) {
            c.result(c.local().getEnvironmentVariable(c.as<envVar>(0), c.text(1)));
        }},
        {"getPingOutput", [](Call& c) { c.result(c.local().getPingOutput(c.text(0))); }},
        {"getTracerouteOutput", [](Call& c) { c.result(c.local().getTracerouteOutput(c.text(0))); }},

        {"addActionEventRequest", [](Call& c) { c.actions().addActionEventRequest(c.as<A::EventType>(0)); }},
        {"addActionEventRequestWithData", [](Call& c) {
            c.actions().addActionEventRequestWithData(c.as<A::EventType>(0), c.text(1));
        }},

        {"sendLocationDeliveryRequest", [](Call& c) { c.location().sendLocationDeliveryRequest(); }},
    };
    return table;
}
// clang-format on

// The variant alternative that holds a value of the type.
std::size_t alternativeOf(ArgType type) {
    switch (type) {
        case ArgType::Unsigned: return 1;
        case ArgType::Bool: return 2;
        case ArgType::Text: return 3;
        case ArgType::List: return 4;
        case ArgType::Data: return 5;
        case ArgType::TrapData: return 6;
        case ArgType::Info: return 7;
        case ArgType::Agent:
        case ArgType::Observer: return 8;
        default: return 0;  // int and every enumeration
    }
}

}  // namespace

ArgumentValue emptyValue(ArgType type) {
    switch (alternativeOf(type)) {
        case 1: return 0u;
        case 2: return false;
        case 3: return std::string();
        case 4: return std::list<std::string>();
        case 5: return ManageableData();
        case 6: return SNMPTrapData();
        case 7: return MemoryInfo();
        case 8: return AgentHandle();
        default: return 0;
    }
}

std::optional<ArgumentValue> callOperation(const mgmtdesc::Operation& operation, const ServiceInterfaces& services,
                                           std::vector<ArgumentValue>& arguments) {
    const std::string name = operation.name;
    if (operation.interface == mgmtdesc::Interface::LocalMgmtProxy)
        throw std::logic_error(name + " is a member of the proxy class alone; no interface reaches it");
    const auto call = calls().find(name);
    if (call == calls().end()) throw std::logic_error("no call written for " + name);
    if (arguments.size() != operation.arguments.size())
        throw std::invalid_argument(name + " takes " + std::to_string(operation.arguments.size()) + " arguments, not " +
                                    std::to_string(arguments.size()));
    for (std::size_t i = 0; i < arguments.size(); ++i)
        if (arguments[i].index() != alternativeOf(operation.arguments[i].type))
            throw std::invalid_argument(name + ": argument " + operation.arguments[i].name + " is not a value of type " +
                                        mgmtdesc::nameOf(operation.arguments[i].type));
    Call context(services, arguments);
    call->second(context);
    return context.takeResult();
}

}  // namespace mgmtkit
