/// \file
/// Posting action events to the action event request service.
#pragma once

#include <string>

#include "MgmtInterfaceExport.h"

/// The action event request service: every event a client posts becomes one
/// one-way request, and nothing comes back. Clients get it by casting the
/// `Proxy*` that createActionEventRequestProxy() returns.
///
/// No base and no virtual destructor: implementations are destroyed through
/// their framework part.
class MGMT_INTERFACE ActionEventRequestIfc {
public:
    /// The kind of action event. Travels as its integer value; any int, named
    /// or not, is forwarded (hence the fixed type).
    enum EventType : int {
        EVENT_NONE = 0,            ///< no event
        EVENT_KEY_PRESS = 1,       ///< a key was pressed
        EVENT_CALL_STATE = 2,      ///< a call changed state
        EVENT_CONFIG_CHANGED = 3,  ///< the configuration changed
        EVENT_USER_ACTIVITY = 4,   ///< the user did something
    };

    /// Posts an action event of that type. One-way: a failed send throws
    /// CorvexException.
    /// On the wire: \ref op_addActionEventRequest.
    virtual void addActionEventRequest(EventType type) = 0;
    /// Posts an action event of that type carrying `data`, sent even when empty.
    /// One-way, like addActionEventRequest().
    /// On the wire: \ref op_addActionEventRequestWithData.
    virtual void addActionEventRequestWithData(EventType type, const std::string& data) = 0;
};
