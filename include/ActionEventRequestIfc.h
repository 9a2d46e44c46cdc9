// Posting action events to the action event request service.
#pragma once

#include <string>

#include "MgmtInterfaceExport.h"

// No base and no virtual destructor: implementations are destroyed through
// their framework part.
class MGMT_INTERFACE ActionEventRequestIfc {
public:
    // Travels as its integer value; any int, named or not, is forwarded (hence
    // the fixed type).
    enum EventType : int {
        EVENT_NONE = 0,
        EVENT_KEY_PRESS = 1,
        EVENT_CALL_STATE = 2,
        EVENT_CONFIG_CHANGED = 3,
        EVENT_USER_ACTIVITY = 4,
    };

    virtual void addActionEventRequest(EventType type) = 0;
    virtual void addActionEventRequestWithData(EventType type, const std::string& data) = 0;
};
