#include "Floors.h"

namespace {

const char* const kComponent = "LocalMgmtProxy";
const char* const kFile = "./src/LocalMgmtProxy";

// The service's names of the file types, indexed by value; values without a
// name of their own are "swBind".
const char* const kFileTypeNames[] = {
    "swBind", "swBind", "moh",    "images", "logo",   "midlets", "ldap",
    "tone",   "swBind", "screensaver",      "swBind", "ringer",  "hpt",
    "help",   "swBind", "jar",    "agd",    "swBind", "phd",     "vraudio",
    "vrpat"};

std::string fileTypeName(LocalMgmtIfc::eFiletype fileType) {
    const int value = fileType;
    return value >= 0 && value <= 20 ? kFileTypeNames[value] : "swBind";
}

}  // namespace

#define FLOOR_LOG_IF(level, ...)                                           \
    do {                                                                   \
        if (loggingOnAppVel(kComponent, (level)))                          \
            logAppVel(kComponent, kFile, (level), __LINE__, __VA_ARGS__); \
    } while (0)
#define FLOOR_ERROR(label, failure) logAppVel(kComponent, kFile, 2, __LINE__, label ": %s\n", (failure).what())

namespace floors {

void setPhoneBusyStatus(ProxyRequest& channel, unsigned int busyStatus) {
    Method request("setPhoneBusyStatus", Method::REQUEST);
    request.addIntParameter("busyStatus", static_cast<int>(busyStatus), Parameter::IN);
    channel.asynchronousCall(request);
}

int uploadUserFile(ProxyRequest& channel, LocalMgmtIfc::eFiletype fileType, const std::string& filename) {
    FLOOR_LOG_IF(5, "uploadUserFile");
    int result = -1;
    Method request("uploadUserFile", Method::REQUEST);
    request.addIntParameter("filetype", fileType, Parameter::IN);
    request.addStringParameter("filename", filename, Parameter::IN);
    Method reply;
    std::string noCallbackChannel;
    try {
        channel.synchronousCall(request, reply, noCallbackChannel);
        reply.getIntParameter("result", result, Parameter::OUT);
    } catch (const CorvexException& failure) {
        FLOOR_ERROR("uploadUserFile", failure);
    }
    return result;
}

bool getListOfFilesOfType(ProxyRequest& channel, LocalMgmtIfc::eFiletype fileType, std::list<std::string>* files) {
    FLOOR_LOG_IF(5, "getListOfFilesOfType");
    std::string fileNames = "empty";
    Serializer::serialize(fileNames, *files);
    Method request("getListOfFilesOfType", Method::REQUEST);
    FLOOR_LOG_IF(5, "convertFileTypeEnumToString");
    request.addStringParameter("FileType", fileTypeName(fileType), Parameter::IN);
    request.addStringParameter("FileNames", fileNames, Parameter::INOUT);
    Method reply;
    std::string noCallbackChannel;
    try {
        channel.synchronousCall(request, reply, noCallbackChannel);
        std::string text;
        if (!reply.getStringParameter("FileNames", text, Parameter::INOUT)) return false;
        if (text == "empty")
            files->clear();
        else
            Serializer::deserialize(text, *files);
        return true;
    } catch (const CorvexException& failure) {
        FLOOR_ERROR("getListOfFilesOfType", failure);
        return false;
    }
}

bool getData(ProxyRequest& channel, LocalMgmtIfc* local, ManageableData& data) {
    FLOOR_LOG_IF(5, "getData");
    if (local != nullptr) return local->getData(data);
    bool result = false;
    Method request("getData", Method::REQUEST);
    request.addStringParameter("manageableData", data.serialize(ManageableData::KEY_VALUE_TEXT), Parameter::INOUT);
    Method reply;
    std::string noCallbackChannel;
    try {
        channel.synchronousCall(request, reply, noCallbackChannel);
        reply.getBoolParameter("result", result, Parameter::OUT);
        std::string text;
        if (reply.getStringParameter("manageableData", text, Parameter::INOUT)) data.deserialize(text);
    } catch (const CorvexException& failure) {
        FLOOR_ERROR("getData", failure);
    }
    return result;
}

bool observeManageableData(ProxyRequest& channel, const char* trace, const char* remoteName, const std::string& nodeId,
                           MgmtAgentIfc* agent) {
    FLOOR_LOG_IF(5, trace);
    bool result = false;
    std::string callbackChan;
    Executable* observer = dynamic_cast<Executable*>(agent);
    FLOOR_LOG_IF(5, "findCallBackChan");
    if (observer == nullptr) {
        logAppVel(kComponent, kFile, 2, __LINE__, "method:%s observer is not an Executable callbackChan is null",
                  remoteName);
    } else {
        callbackChan = channel.frameworkContext->findChannel(observer);
        FLOOR_LOG_IF(5, "%s: callback channel set: %s", remoteName, callbackChan.c_str());
    }
    Method request(remoteName, Method::REQUEST);
    request.addStringParameter("nodeId", nodeId, Parameter::IN);
    Method reply;
    try {
        channel.synchronousCall(request, reply, callbackChan);
        reply.getBoolParameter("result", result, Parameter::OUT);
    } catch (const CorvexException& failure) {
        FLOOR_ERROR("findSchemaName", failure);
    }
    return result;
}

bool startDownload(ProxyRequest& channel, LocalMgmtIfc::eDownloadProtocol protocol, const std::string& port,
                   const std::string& server, const std::string& username, const std::string& password,
                   LocalMgmtIfc::eFiletype fileType, const std::string& sourcePath, const std::string& fileName,
                   bool displayProgress, LocalMgmtIfc::eCertificateType certificateType) {
    FLOOR_LOG_IF(5, "startDownloadWithManyParams");
    bool result = false;
    Method request("startDownloadWithManyParams", Method::REQUEST);
    request.addIntParameter("downloadProtocol", protocol, Parameter::IN);
    request.addStringParameter("port", port, Parameter::IN);
    request.addStringParameter("server", server, Parameter::IN);
    request.addStringParameter("username", username, Parameter::IN);
    request.addStringParameter("password", password, Parameter::IN);
    request.addIntParameter("filetype", fileType, Parameter::IN);
    request.addStringParameter("sourcepath", sourcePath, Parameter::IN);
    request.addStringParameter("filename", fileName, Parameter::IN);
    request.addBoolParameter("displayProgress", displayProgress, Parameter::IN);
    request.addIntParameter("certificateType", certificateType, Parameter::IN);
    Method reply;
    std::string noCallbackChannel;
    try {
        channel.synchronousCall(request, reply, noCallbackChannel, 600000);
        reply.getBoolParameter("result", result, Parameter::OUT);
    } catch (const CorvexException& failure) {
        FLOOR_ERROR("startDownloadWithManyParams", failure);
    }
    return result;
}

}  // namespace floors
