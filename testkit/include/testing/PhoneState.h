/// \file
/// The simulated telephone's state and its rules.
#pragma once

#include <string>

#include "testing/AgentRegistry.h"
#include "testing/DataStore.h"
#include "testing/DeviceState.h"
#include "testing/EventLog.h"
#include "testing/FileStore.h"
#include "testing/UserAccounts.h"

namespace mgmtkit {

/// The simulated telephone's state for one session, kept by area. Every session
/// starts from the same state and every rule is deterministic, so a session
/// replayed gives the same answers. These are the rules, in one place. Tests
/// set up and inspect state through the areas' own members, or all at once as
/// a JSON document (SimulatedPhone::stateDocument() and
/// SimulatedPhone::setState()).
///
/// \code
/// phone.state().device.setBusy(1);
/// phone.state().files.addFile("ringer", "Tune.raw");
/// EXPECT_EQ(phone.state().device.reboots(), 0);
/// \endcode
///
/// **Device** (DeviceState)
///   - busy status: setPhoneBusyStatus ORs its bits in, clearPhoneBusyStatus
///     clears its bits, retrievePhoneBusyStatus answers the bits.
///   - identity: identifier "SEP-0001", display name "Desk Phone". A non-empty
///     identifier or display name sent with getIDAndDisplayName replaces the
///     stored one; the reply always carries the stored pair and result true.
///   - environment variables 0..5 (device name = the identifier, MAC address,
///     IP address, serial number, software version, hardware model) are
///     acknowledged "SUCCESS" with their value; any other selection "FAILURE".
///   - reboots are counted with their last reason and always succeed.
///   - factory reset password "admin123": verifyFactoryResetPassword answers 0
///     when right, 1 when wrong; performFactoryReset answers true and counts a
///     reset (and a reboot when asked) only with the right password.
///   - software upgrade: an image whose name ends in ".img" answers 0 and becomes
///     the software version (name without ".img"); anything else answers -3.
///
/// **User accounts** (UserAccounts)
///   - current user kind "baseUser"; changeCurrentUser accepts the user kind
///     names and refuses anything else (result false, kind kept).
///   - clearAllUserData, clearMobileUserData (result true), clearSpecificUserData
///     per group and cleanupUserData per file type are counted; files are kept.
///   - user data space: 65536 KiB in total, 8192 KiB used by the system plus
///     256 KiB per file in the catalogue.
///
/// **Files** (FileStore)
///   - a catalogue of file names per file type name, with a count limit, a name
///     limit and a description; ringer starts with Classic.raw and Chirp.raw.
///     Files added for one user kind are listed, after the shared ones, to
///     that kind only (the form without a user kind lists the current one's).
///   - path of a file: `/usr/local/<type>/<file>` for baseUser and baseUserQel,
///     `/usr/local/<user kind>/<type>/<file>` for the others; the form without a
///     user kind uses the current one. Unknown file: result false, name kept.
///   - uploadUserFile answers 0 for a file present, -2 otherwise; deleteFile
///     removes a file present (true) and validateFile finds it (true).
///   - a download adds its file (the name sent, or `download-<n>.bin`) and puts
///     its type in progress; the next status request answers 1 and completes it,
///     later ones answer 2; a type never downloaded answers 0. A download is
///     refused (false) when the type is full, the name too long, or the phone is
///     busy and the request does not say overrideBusy. A download's observer
///     is not called back: the simulated phone shows no progress.
///
/// **Manageable data** (DataStore)
///   - nodes are keys of a ManageableData; setData and manageableDataChanged
///     merge what they carry, getData fills in the keys asked (all nodes when
///     none) and answers false when one is unknown.
///   - a node's schema is named after the part before its first dot
///     ("audio.ringVolume" -> "AudioSettings"); only the known prefixes have one.
///   - admin and service access may edit every node; user access only nodes
///     marked editable (setDataEditable 1 marks, 0 unmarks, other values change
///     nothing), and never an empty set of nodes.
///
/// **Agents** (AgentRegistry)
///   - agents register a management id with their callback channel.
///   - observations are kept per callback channel; one without a channel or
///     without a node is refused. A node observed covers its descendants
///     ("audio" covers "audio.ringVolume"); manageableDataChanged answers the
///     number of channels observing a node of the changed data.
///   - every node written is announced to its observers (SimulatedPhone).
///
/// **Events** (EventLog)
///   - traps, cache and picture-clip notifications, action events and location
///     requests are only recorded.
class PhoneState {
public:
    DeviceState device;     ///< Busy status, identity, environment, reboots, resets, software.
    UserAccounts users;     ///< The current user kind and the clearing of user data.
    FileStore files;        ///< The user files by type, their limits and downloads.
    DataStore data;         ///< The manageable data nodes, their schemas and who may edit them.
    AgentRegistry agents;   ///< Management agents and observations.
    EventLog events;        ///< Traps, notifications, action events and location requests.

    /// Starts a download of a file type (the interface's value) by the
    /// catalogue's rules; refused while the phone is busy unless `overrideBusy`.
    bool startDownload(int fileType, const std::string& fileName, bool overrideBusy);

    /// The user data space figures as a MemoryInfo text ("total", "used", "free", in KiB).
    std::string spaceInfo() const;

    /// The path of a file of that type for the current user kind: `fileName`
    /// becomes the path, and the answer true; false for an unknown file, the
    /// name kept.
    bool filePath(const std::string& type, std::string& fileName) const;
    /// As filePath() for the user kind given.
    bool filePath(const std::string& type, std::string& fileName, int userKind) const;

private:
    bool pathFor(const std::string& type, std::string& fileName, const std::string& user) const;
};

}  // namespace mgmtkit
