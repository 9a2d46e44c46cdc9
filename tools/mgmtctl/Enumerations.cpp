#include "Enumerations.h"

#include <algorithm>
#include <utility>

#include "ActionEventRequestIfc.h"
#include "ArgumentParsing.h"
#include "LocalMgmtIfc.h"
#include "Suggestions.h"

namespace mgmtctl {

namespace {

int roundUpToAllOnes(int value) {
    int largest = 0;
    while (largest < value) largest = largest * 2 + 1;
    return largest;
}

using L = LocalMgmtIfc;
using A = ActionEventRequestIfc;

}  // namespace

Enumeration::Enumeration(const char* typeName, std::vector<Enumerator> enumerators)
    : typeName_(typeName), enumerators_(std::move(enumerators)) {
    int named = 0;
    for (const Enumerator& e : enumerators_) named = std::max(named, e.value);
    largest_ = roundUpToAllOnes(named);
}

int Enumeration::parse(std::string_view text) const {
    for (const Enumerator& e : enumerators_)
        if (text == e.name || (e.alias != nullptr && text == e.alias)) return e.value;
    int number = 0;
    if (tryParseInt(text, number) && number >= 0 && number <= largest_) return number;
    throw ArgumentError("'" + std::string(text) + "' is not " + withArticle(typeName_) + "; use one of " +
                        names() + " or a number from 0 to " + std::to_string(largest_));
}

std::string Enumeration::names(const char* separator) const {
    std::string out;
    for (const Enumerator& e : enumerators_) {
        if (!out.empty()) out += separator;
        out += e.name;
    }
    return out;
}

// Tables, one enumerator a line.
// clang-format off

// The file types by the names the service knows them by, as the proxies send them.
const Enumeration& fileTypes() {
    static const Enumeration table("file type", {
        {"swBind", "FILETYPE_SWBIND", L::FILETYPE_SWBIND},
        {"moh", "FILETYPE_MOH", L::FILETYPE_MOH},
        {"images", "FILETYPE_IMAGES", L::FILETYPE_IMAGES},
        {"logo", "FILETYPE_LOGO", L::FILETYPE_LOGO},
        {"midlets", "FILETYPE_MIDLETS", L::FILETYPE_MIDLETS},
        {"ldap", "FILETYPE_LDAP", L::FILETYPE_LDAP},
        {"tone", "FILETYPE_TONE", L::FILETYPE_TONE},
        {"screensaver", "FILETYPE_SCREENSAVER", L::FILETYPE_SCREENSAVER},
        {"ringer", "FILETYPE_RINGER", L::FILETYPE_RINGER},
        {"hpt", "FILETYPE_HPT", L::FILETYPE_HPT},
        {"help", "FILETYPE_HELP", L::FILETYPE_HELP},
        {"jar", "FILETYPE_JAR", L::FILETYPE_JAR},
        {"agd", "FILETYPE_AGD", L::FILETYPE_AGD},
        {"phd", "FILETYPE_PHD", L::FILETYPE_PHD},
        {"vraudio", "FILETYPE_VRAUDIO", L::FILETYPE_VRAUDIO},
        {"vrpat", "FILETYPE_VRPAT", L::FILETYPE_VRPAT},
    });
    return table;
}

// The user kinds by the names the service knows them by. 0 and 1 have no
// enumerator; both are the base user.
const Enumeration& userTypes() {
    static const Enumeration table("user kind", {
        {"baseUser", nullptr, 0},
        {"visitorUser", "USER_VISITOR", L::USER_VISITOR},
        {"migrateToVisitorUser", "USER_MIGRATE_TO_VISITOR", L::USER_MIGRATE_TO_VISITOR},
        {"defaultUser", "USER_DEFAULT", L::USER_DEFAULT},
        {"clearDataVisitorUser", "USER_CLEAR_DATA_VISITOR", L::USER_CLEAR_DATA_VISITOR},
        {"baseUserQel", "USER_BASE_QEL", L::USER_BASE_QEL},
        {"visitorUserQel", "USER_VISITOR_QEL", L::USER_VISITOR_QEL},
        {"ClearDataVisitorUserQel", "USER_CLEAR_DATA_VISITOR_QEL", L::USER_CLEAR_DATA_VISITOR_QEL},
    });
    return table;
}

const Enumeration& trapDestinations() {
    static const Enumeration table("trap destination", {
        {"TRAP_DEST_ALL", nullptr, L::TRAP_DEST_ALL},
        {"TRAP_DEST_PRIMARY", nullptr, L::TRAP_DEST_PRIMARY},
        {"TRAP_DEST_SECONDARY", nullptr, L::TRAP_DEST_SECONDARY},
    });
    return table;
}

const Enumeration& environmentVariables() {
    static const Enumeration table("environment variable", {
        {"ENV_DEVICE_NAME", nullptr, ENV_DEVICE_NAME},
        {"ENV_MAC_ADDRESS", nullptr, ENV_MAC_ADDRESS},
        {"ENV_IP_ADDRESS", nullptr, ENV_IP_ADDRESS},
        {"ENV_SERIAL_NUMBER", nullptr, ENV_SERIAL_NUMBER},
        {"ENV_SOFTWARE_VERSION", nullptr, ENV_SOFTWARE_VERSION},
        {"ENV_HARDWARE_MODEL", nullptr, ENV_HARDWARE_MODEL},
    });
    return table;
}

const Enumeration& userDataGroups() {
    static const Enumeration table("user data group", {
        {"RESET_CALL_LOGS", nullptr, L::RESET_CALL_LOGS},
        {"RESET_CONTACTS", nullptr, L::RESET_CONTACTS},
        {"RESET_PREFERENCES", nullptr, L::RESET_PREFERENCES},
        {"RESET_USER_FILES", nullptr, L::RESET_USER_FILES},
    });
    return table;
}

const Enumeration& downloadProtocols() {
    static const Enumeration table("download protocol", {
        {"PROTOCOL_TFTP", nullptr, L::PROTOCOL_TFTP},
        {"PROTOCOL_FTP", nullptr, L::PROTOCOL_FTP},
        {"PROTOCOL_HTTP", nullptr, L::PROTOCOL_HTTP},
        {"PROTOCOL_HTTPS", nullptr, L::PROTOCOL_HTTPS},
    });
    return table;
}

const Enumeration& certificateTypes() {
    static const Enumeration table("certificate type", {
        {"CERTIFICATE_NONE", nullptr, L::CERTIFICATE_NONE},
        {"CERTIFICATE_DEVICE", nullptr, L::CERTIFICATE_DEVICE},
        {"CERTIFICATE_SERVER", nullptr, L::CERTIFICATE_SERVER},
    });
    return table;
}

const Enumeration& accessLevels() {
    static const Enumeration table("access level", {
        {"ACCESS_USER", nullptr, L::ACCESS_USER},
        {"ACCESS_ADMIN", nullptr, L::ACCESS_ADMIN},
        {"ACCESS_SERVICE", nullptr, L::ACCESS_SERVICE},
    });
    return table;
}

const Enumeration& editableStatuses() {
    static const Enumeration table("editable status", {
        {"EDITABLE_NO", nullptr, L::EDITABLE_NO},
        {"EDITABLE_YES", nullptr, L::EDITABLE_YES},
    });
    return table;
}

const Enumeration& eventTypes() {
    static const Enumeration table("event type", {
        {"EVENT_NONE", nullptr, A::EVENT_NONE},
        {"EVENT_KEY_PRESS", nullptr, A::EVENT_KEY_PRESS},
        {"EVENT_CALL_STATE", nullptr, A::EVENT_CALL_STATE},
        {"EVENT_CONFIG_CHANGED", nullptr, A::EVENT_CONFIG_CHANGED},
        {"EVENT_USER_ACTIVITY", nullptr, A::EVENT_USER_ACTIVITY},
    });
    return table;
}

// clang-format on

}  // namespace mgmtctl
