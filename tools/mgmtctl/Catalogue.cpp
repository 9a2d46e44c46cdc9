#include "Catalogue.h"

#include "Masking.h"
#include "NamedRows.h"

namespace mgmtctl {

namespace {

using L = LocalMgmtIfc;
using T = ArgType;
constexpr bool optional = true;

// Arguments that many operations share.
constexpr ArgShape fileType{"fileType", T::FileType};
constexpr ArgShape filename{"filename", T::Text};
constexpr ArgShape userType{"userType", T::UserType};
constexpr ArgShape displayProgress{"displayProgress", T::Bool};
constexpr ArgShape certificateType{"certificateType", T::Certificate};
constexpr ArgShape observer{"observer", T::Observer};
constexpr ArgShape agent{"agent", T::Agent};
constexpr ArgShape nodeId{"nodeId", T::Text};
constexpr ArgShape bulkData{"bulkDataManageable", T::Bool};
constexpr ArgShape data{"data", T::Data};
constexpr ArgShape dataIfAny{"data", T::Data, optional};
// The server side of the explicit downloads, in argument order.
constexpr ArgShape protocol{"protocol", T::Protocol}, port{"port", T::Text}, server{"server", T::Text},
    username{"username", T::Text}, password{"password", T::Text}, sourcePath{"sourcePath", T::Text},
    fileName{"fileName", T::Text};

Value shown(const std::string& text) { return Value::text(text); }
Value shown(const std::list<std::string>& items) { return Value::list(items); }
Value shown(const ManageableData& data) { return Value::data(maskedEntries(data)); }
Value shown(const MemoryInfo& info) { return Value::data(info.values()); }

// One row per operation reads better than what the formatter makes of it.
// clang-format off

// LocalMgmtIfc, in the order of the interface (the two DxlDictionary
// operations it inherits first).
std::vector<Operation> localOperations() {
    return {
        {"findSchemaName", {nodeId}, "string",
         [](Call& c) { c.result(c.local().findSchemaName(c.text(0))); }},
        {"exportSchema", {{"schemaName", T::Text}}, "string",
         [](Call& c) { c.result(c.local().exportSchema(c.text(0))); }},
        {"startDownload", {fileType, displayProgress, certificateType}, "bool",
         [](Call& c) {
             c.result(c.local().startDownload(c.fileType(0), c.flag(1), c.as<L::eCertificateType>(2)));
         }},
        {"startDownloadWithObserver", {fileType, observer, displayProgress, certificateType}, "bool",
         [](Call& c) {
             c.result(c.local().startDownload(c.fileType(0), c.observer(1), c.flag(2),
                                              c.as<L::eCertificateType>(3)));
         },
         "startDownload"},
        {"startDownloadFrom",
         {protocol, port, server, username, password, fileType, sourcePath, fileName, displayProgress,
          certificateType},
         "bool",
         [](Call& c) {
             c.result(c.local().startDownload(c.as<L::eDownloadProtocol>(0), c.text(1), c.text(2), c.text(3),
                                              c.text(4), c.fileType(5), c.text(6), c.text(7), c.flag(8),
                                              c.as<L::eCertificateType>(9)));
         },
         "startDownload"},
        {"startDownloadFromWithObserver",
         {protocol, port, server, username, password, fileType, sourcePath, fileName, observer,
          {"overrideBusy", T::Bool}, {"version", T::Text}, displayProgress, certificateType},
         "bool",
         [](Call& c) {
             c.result(c.local().startDownload(c.as<L::eDownloadProtocol>(0), c.text(1), c.text(2), c.text(3),
                                              c.text(4), c.fileType(5), c.text(6), c.text(7), c.observer(8),
                                              c.flag(9), c.text(10), c.flag(11),
                                              c.as<L::eCertificateType>(12)));
         },
         "startDownload"},
        {"upgradeSoftwareImageWithFile", {filename}, "int",
         [](Call& c) { c.result(c.local().upgradeSoftwareImageWithFile(c.text(0))); }},
        {"uploadUserFile", {fileType, filename}, "int",
         [](Call& c) { c.result(c.local().uploadUserFile(c.fileType(0), c.text(1))); }},
        {"requestCurrentDownloadStatus", {fileType, filename}, "int",
         [](Call& c) { c.result(c.local().requestCurrentDownloadStatus(c.fileType(0), c.text(1))); }},
        {"getIDAndDisplayName",
         {{"identifier", T::Text, optional}, {"displayName", T::Text, optional}}, "bool",
         [](Call& c) {
             c.result(c.local().getIDAndDisplayName(c.text(0), c.text(1)));
             c.out("identifier", shown(c.text(0)));
             c.out("displayName", shown(c.text(1)));
         }},
        {"changeCurrentUser", {userType}, "bool",
         [](Call& c) { c.result(c.local().changeCurrentUser(c.userType(0))); }},
        {"clearMobileUserData", {}, "bool",
         [](Call& c) { c.result(c.local().clearMobileUserData()); }},
        {"getFilePathFromType", {fileType, {"filename", T::Text, optional}}, "bool",
         [](Call& c) {
             c.result(c.local().getFilePathFromType(c.fileType(0), c.text(1)));
             c.out("filename", shown(c.text(1)));
         }},
        {"getFilePathFromTypeForUser", {fileType, filename, userType}, "bool",
         [](Call& c) {
             c.result(c.local().getFilePathFromType(c.fileType(0), c.text(1), c.userType(2)));
             c.out("filename", shown(c.text(1)));
         },
         "getFilePathFromType"},
        {"getListOfFilesOfType", {fileType, {"files", T::List, optional}}, "bool",
         [](Call& c) {
             c.result(c.local().getListOfFilesOfType(c.fileType(0), &c.list(1)));
             c.out("files", shown(c.list(1)));
         }},
        {"getListOfFilesOfTypeForUser", {fileType, {"files", T::List}, userType}, "bool",
         [](Call& c) {
             c.result(c.local().getListOfFilesOfType(c.fileType(0), &c.list(1), c.userType(2)));
             c.out("files", shown(c.list(1)));
         },
         "getListOfFilesOfType"},
        {"getFileTypeMetadata", {fileType}, "string",
         [](Call& c) { c.result(c.local().getFileTypeMetadata(c.fileType(0))); }},
        {"getFileTypeCountLimit", {fileType}, "int",
         [](Call& c) { c.result(c.local().getFileTypeCountLimit(c.fileType(0))); }},
        {"getFileTypeNameLimit", {fileType}, "int",
         [](Call& c) { c.result(c.local().getFileTypeNameLimit(c.fileType(0))); }},
        {"setPhoneBusyStatus", {{"busyStatus", T::Unsigned}}, "void",
         [](Call& c) { c.local().setPhoneBusyStatus(c.unsignedNumber(0)); }},
        {"retrievePhoneBusyStatus", {}, "unsigned int",
         [](Call& c) { c.result(c.local().retrievePhoneBusyStatus()); }},
        {"clearPhoneBusyStatus", {{"busyStatus", T::Unsigned}}, "void",
         [](Call& c) { c.local().clearPhoneBusyStatus(c.unsignedNumber(0)); }},
        {"performFactoryReset", {password, {"reboot", T::Bool}}, "bool",
         [](Call& c) { c.result(c.local().performFactoryReset(c.text(0), c.flag(1))); }},
        {"verifyFactoryResetPassword", {password}, "int",
         [](Call& c) { c.result(c.local().verifyFactoryResetPassword(c.text(0))); }},
        {"performReboot", {{"rebootReason", T::Text}}, "bool",
         [](Call& c) { c.result(c.local().performReboot(c.text(0))); }},
        {"setData", {dataIfAny}, "bool",
         [](Call& c) {
             c.result(c.local().setData(c.data(0)));
             c.out("data", shown(c.data(0)));
         }},
        {"getData", {dataIfAny}, "bool",
         [](Call& c) {
             c.result(c.local().getData(c.data(0)));
             c.out("data", shown(c.data(0)));
         }},
        {"getSchema", {{"schemaName", T::Text}, dataIfAny}, "bool",
         [](Call& c) {
             c.result(c.local().getSchema(c.text(0), c.data(1)));
             c.out("data", shown(c.data(1)));
         }},
        {"manageableDataChanged", {dataIfAny}, "int",
         [](Call& c) {
             c.result(c.local().manageableDataChanged(c.data(0)));
             c.out("data", shown(c.data(0)));
         }},
        {"registerManagementIdentity", {{"managementId", T::Text}, agent}, "void",
         [](Call& c) { c.local().registerManagementIdentity(c.text(0), c.agent(1)); }},
        {"registerManagementIdentityBulk", {{"managementId", T::Text}, agent, bulkData}, "void",
         [](Call& c) { c.local().registerManagementIdentity(c.text(0), c.agent(1), c.flag(2)); },
         "registerManagementIdentity"},
        {"observeManageableData", {nodeId, agent}, "bool",
         [](Call& c) { c.result(c.local().observeManageableData(c.text(0), c.agent(1))); }},
        {"observeManageableDataBulk", {nodeId, agent, bulkData}, "bool",
         [](Call& c) { c.result(c.local().observeManageableData(c.text(0), c.agent(1), c.flag(2))); },
         "observeManageableData"},
        {"observeManageableDataList", {{"rootIds", T::List}, agent}, "bool",
         [](Call& c) { c.result(c.local().observeManageableData(c.list(0), c.agent(1))); },
         "observeManageableData"},
        {"stopObservingManageableData", {nodeId, agent}, "bool",
         [](Call& c) { c.result(c.local().stopObservingManageableData(c.text(0), c.agent(1))); }},
        {"raiseGenericTrap", {{"dest", T::TrapDest}, {"trapNo", T::Int}}, "bool",
         [](Call& c) { c.result(c.local().raiseGenericTrap(c.as<L::TrapDest>(0), c.number(1))); }},
        {"raiseSpecificTrap", {{"dest", T::TrapDest}, {"trapData", T::TrapData}}, "bool",
         [](Call& c) { c.result(c.local().raiseSpecificTrap(c.as<L::TrapDest>(0), c.trapData(1))); }},
        {"checkDataEditable", {data, {"accessLevel", T::AccessLevel}}, "bool",
         [](Call& c) {
             c.result(c.local().checkDataEditable(c.data(0), c.as<L::eAccessLevel>(1)));
             c.out("data", shown(c.data(0)));
         }},
        {"setDataEditable", {data, {"editableStatus", T::Editable}}, "void",
         [](Call& c) { c.local().setDataEditable(c.data(0), c.as<L::eEditableStatus>(1)); }},
        {"invalidateTRVKCache", {}, "void",
         [](Call& c) { c.local().invalidateTRVKCache(); }},
        {"clearAllUserData", {}, "bool",
         [](Call& c) { c.result(c.local().clearAllUserData()); }},
        {"clearSpecificUserData", {{"group", T::UserDataGroup}}, "void",
         [](Call& c) { c.local().clearSpecificUserData(c.as<L::eResetSpecificUserDataGroup>(0)); }},
        {"factoryResetPreservingData", {}, "void",
         [](Call& c) { c.local().factoryResetPreservingData(); }},
        {"getUserDataSpaceInfo", {}, "void",
         [](Call& c) {
             MemoryInfo info;
             c.local().getUserDataSpaceInfo(info);
             c.out("info", shown(info));
         }},
        {"validateFile", {fileType, filename}, "bool",
         [](Call& c) { c.result(c.local().validateFile(c.fileType(0), c.text(1))); }},
        {"deleteFile", {fileType, filename}, "bool",
         [](Call& c) { c.result(c.local().deleteFile(c.fileType(0), c.text(1))); }},
        {"cleanupUserData", {fileType, userType}, "void",
         [](Call& c) { c.local().cleanupUserData(c.fileType(0), c.userType(1)); }},
        {"refreshPictureClips", {}, "void",
         [](Call& c) { c.local().refreshPictureClips(); }},
        {"getEnvironmentVariable", {{"variable", T::EnvVar}, {"value", T::Text, optional}}, "bool",
         [](Call& c) {
             c.result(c.local().getEnvironmentVariable(c.as<envVar>(0), c.text(1)));
             c.out("value", shown(c.text(1)));
         }},
        {"getPingOutput", {{"address", T::Text}}, "string",
         [](Call& c) { c.result(c.local().getPingOutput(c.text(0))); }},
        {"getTracerouteOutput", {{"address", T::Text}}, "string",
         [](Call& c) { c.result(c.local().getTracerouteOutput(c.text(0))); }},
    };
}

std::vector<Operation> actionOperations() {
    using A = ActionEventRequestIfc;
    return {
        {"addActionEventRequest", {{"type", T::EventType}}, "void",
         [](Call& c) { c.actions().addActionEventRequest(c.as<A::EventType>(0)); }},
        {"addActionEventRequestWithData", {{"type", T::EventType}, {"data", T::Text}}, "void",
         [](Call& c) { c.actions().addActionEventRequestWithData(c.as<A::EventType>(0), c.text(1)); }},
    };
}

std::vector<Operation> locationOperations() {
    return {
        {"sendLocationDeliveryRequest", {}, "void",
         [](Call& c) { c.location().sendLocationDeliveryRequest(); }},
    };
}

// clang-format on

std::vector<Operation> joined() {
    std::vector<Operation> all;
    const auto append = [&all](std::vector<Operation> table, const char* interfaceName) {
        for (Operation& operation : table) {
            operation.interfaceName = interfaceName;
            all.push_back(std::move(operation));
        }
    };
    append(localOperations(), "LocalMgmtIfc");
    append(actionOperations(), "ActionEventRequestIfc");
    append(locationOperations(), "LocationDeliveryRequestIfc");
    return all;
}

}  // namespace

std::size_t Operation::requiredArgs() const {
    std::size_t required = 0;
    for (const ArgShape& shape : args)
        if (!shape.optional) ++required;
    return required;
}

const std::vector<Operation>& operations() {
    static const std::vector<Operation> all = joined();
    return all;
}

const Operation* findOperation(std::string_view name) { return findByName(operations(), name); }

std::vector<std::string> operationNames() { return namesOf(operations()); }

std::string usageOf(const Operation& operation) {
    std::string usage = operation.name;
    for (const ArgShape& shape : operation.args) {
        usage += ' ';
        if (shape.optional) usage += '[';
        usage += shape.name;
        usage += ':';
        usage += typeName(shape.type);
        if (shape.optional) usage += ']';
    }
    usage += " -> ";
    usage += operation.result;
    return usage;
}

}  // namespace mgmtctl
