// The enumerations of the three interfaces. The service knows file types and
// user types by name; every other enumeration travels as its number.
#include <algorithm>

#include "ActionEventRequestIfc.h"
#include "LocalMgmtIfc.h"
#include "description/ServiceDescription.h"

namespace mgmtdesc {

namespace {

using L = LocalMgmtIfc;
using A = ActionEventRequestIfc;

// clang-format off
std::vector<Enumeration> tables() {
    return {
        {ArgType::FileType, "file type", {
            {"FILETYPE_SWBIND", L::FILETYPE_SWBIND, "swBind"},
            {"FILETYPE_MOH", L::FILETYPE_MOH, "moh"},
            {"FILETYPE_IMAGES", L::FILETYPE_IMAGES, "images"},
            {"FILETYPE_LOGO", L::FILETYPE_LOGO, "logo"},
            {"FILETYPE_MIDLETS", L::FILETYPE_MIDLETS, "midlets"},
            {"FILETYPE_LDAP", L::FILETYPE_LDAP, "ldap"},
            {"FILETYPE_TONE", L::FILETYPE_TONE, "tone"},
            {"FILETYPE_SCREENSAVER", L::FILETYPE_SCREENSAVER, "screensaver"},
            {"FILETYPE_RINGER", L::FILETYPE_RINGER, "ringer"},
            {"FILETYPE_HPT", L::FILETYPE_HPT, "hpt"},
            {"FILETYPE_HELP", L::FILETYPE_HELP, "help"},
            {"FILETYPE_JAR", L::FILETYPE_JAR, "jar"},
            {"FILETYPE_AGD", L::FILETYPE_AGD, "agd"},
            {"FILETYPE_PHD", L::FILETYPE_PHD, "phd"},
            {"FILETYPE_VRAUDIO", L::FILETYPE_VRAUDIO, "vraudio"},
            {"FILETYPE_VRPAT", L::FILETYPE_VRPAT, "vrpat"},
        }, "swBind"},
        // 0 and 1 have no enumerator: both are the base user.
        {ArgType::UserType, "user kind", {
            {nullptr, 0, "baseUser"},
            {"USER_VISITOR", L::USER_VISITOR, "visitorUser"},
            {"USER_MIGRATE_TO_VISITOR", L::USER_MIGRATE_TO_VISITOR, "migrateToVisitorUser"},
            {"USER_DEFAULT", L::USER_DEFAULT, "defaultUser"},
            {"USER_CLEAR_DATA_VISITOR", L::USER_CLEAR_DATA_VISITOR, "clearDataVisitorUser"},
            {"USER_BASE_QEL", L::USER_BASE_QEL, "baseUserQel"},
            {"USER_VISITOR_QEL", L::USER_VISITOR_QEL, "visitorUserQel"},
            {"USER_CLEAR_DATA_VISITOR_QEL", L::USER_CLEAR_DATA_VISITOR_QEL, "ClearDataVisitorUserQel"},
        }, "baseUser"},
        {ArgType::TrapDest, "trap destination", {
            {"TRAP_DEST_ALL", L::TRAP_DEST_ALL},
            {"TRAP_DEST_PRIMARY", L::TRAP_DEST_PRIMARY},
            {"TRAP_DEST_SECONDARY", L::TRAP_DEST_SECONDARY},
        }},
        {ArgType::EnvVar, "environment variable", {
            {"ENV_DEVICE_NAME", ENV_DEVICE_NAME},
            {"ENV_MAC_ADDRESS", ENV_MAC_ADDRESS},
            {"ENV_IP_ADDRESS", ENV_IP_ADDRESS},
            {"ENV_SERIAL_NUMBER", ENV_SERIAL_NUMBER},
            {"ENV_SOFTWARE_VERSION", ENV_SOFTWARE_VERSION},
            {"ENV_HARDWARE_MODEL", ENV_HARDWARE_MODEL},
        }},
        {ArgType::UserDataGroup, "user data group", {
            {"RESET_CALL_LOGS", L::RESET_CALL_LOGS},
            {"RESET_CONTACTS", L::RESET_CONTACTS},
            {"RESET_PREFERENCES", L::RESET_PREFERENCES},
            {"RESET_USER_FILES", L::RESET_USER_FILES},
        }},
        {ArgType::Protocol, "download protocol", {
            {"PROTOCOL_TFTP", L::PROTOCOL_TFTP},
            {"PROTOCOL_FTP", L::PROTOCOL_FTP},
            {"PROTOCOL_HTTP", L::PROTOCOL_HTTP},
            {"PROTOCOL_HTTPS", L::PROTOCOL_HTTPS},
        }},
        {ArgType::Certificate, "certificate type", {
            {"CERTIFICATE_NONE", L::CERTIFICATE_NONE},
            {"CERTIFICATE_DEVICE", L::CERTIFICATE_DEVICE},
            {"CERTIFICATE_SERVER", L::CERTIFICATE_SERVER},
        }},
        {ArgType::AccessLevel, "access level", {
            {"ACCESS_USER", L::ACCESS_USER},
            {"ACCESS_ADMIN", L::ACCESS_ADMIN},
            {"ACCESS_SERVICE", L::ACCESS_SERVICE},
        }},
        {ArgType::Editable, "editable status", {
            {"EDITABLE_NO", L::EDITABLE_NO},
            {"EDITABLE_YES", L::EDITABLE_YES},
        }},
        {ArgType::EventType, "event type", {
            {"EVENT_NONE", A::EVENT_NONE},
            {"EVENT_KEY_PRESS", A::EVENT_KEY_PRESS},
            {"EVENT_CALL_STATE", A::EVENT_CALL_STATE},
            {"EVENT_CONFIG_CHANGED", A::EVENT_CONFIG_CHANGED},
            {"EVENT_USER_ACTIVITY", A::EVENT_USER_ACTIVITY},
        }},
    };
}
// clang-format on

}  // namespace

const char* Enumeration::wireNameOf(int value) const {
    const Enumerator* named = find(value);
    return named != nullptr && named->wireName != nullptr ? named->wireName : fallbackWireName;
}

const Enumerator* Enumeration::find(std::string_view name) const {
    for (const Enumerator& e : enumerators)
        if ((e.identifier != nullptr && name == e.identifier) || (e.wireName != nullptr && name == e.wireName))
            return &e;
    return nullptr;
}

const Enumerator* Enumeration::find(int value) const {
    for (const Enumerator& e : enumerators)
        if (e.value == value) return &e;
    return nullptr;
}

int Enumeration::largestValue() const {
    int named = 0;
    for (const Enumerator& e : enumerators) named = std::max(named, e.value);
    int largest = 0;
    while (largest < named) largest = largest * 2 + 1;
    return largest;
}

const std::vector<Enumeration>& enumerations() {
    static const std::vector<Enumeration> all = tables();
    return all;
}

const Enumeration* enumerationOf(ArgType type) {
    for (const Enumeration& table : enumerations())
        if (table.type == type) return &table;
    return nullptr;
}

}  // namespace mgmtdesc
