// The marshalling floor: each operation written by hand with nothing but
// Method, its parameter calls and the channel, writing the same records the
// operation has to write. What a call cannot cost less than.
#pragma once

#include <list>
#include <string>

#include "Framework.h"
#include "LocalMgmtIfc.h"

namespace floors {

void setPhoneBusyStatus(ProxyRequest& channel, unsigned int busyStatus);
int uploadUserFile(ProxyRequest& channel, LocalMgmtIfc::eFiletype fileType, const std::string& filename);
bool getListOfFilesOfType(ProxyRequest& channel, LocalMgmtIfc::eFiletype fileType, std::list<std::string>* files);
// `local` is the in-process service when there is one, looked up earlier.
bool getData(ProxyRequest& channel, LocalMgmtIfc* local, ManageableData& data);
// Also the floor of stopObservingManageableData: the same request under other names.
bool observeManageableData(ProxyRequest& channel, const char* trace, const char* remoteName, const std::string& nodeId,
                           MgmtAgentIfc* agent);
bool startDownload(ProxyRequest& channel, LocalMgmtIfc::eDownloadProtocol protocol, const std::string& port,
                   const std::string& server, const std::string& username, const std::string& password,
                   LocalMgmtIfc::eFiletype fileType, const std::string& sourcePath, const std::string& fileName,
                   bool displayProgress, LocalMgmtIfc::eCertificateType certificateType);

}  // namespace floors
