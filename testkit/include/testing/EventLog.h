/// \file
/// What the simulated telephone was told that changes nothing else.
#pragma once

#include <string>
#include <vector>

namespace mgmtkit {

/// A trap the phone was asked to raise.
struct Trap {
    int dest;          ///< The trap destination, as the interface's TrapDest.
    int trapNo;        ///< The trap number; generic traps only.
    std::string data;  ///< The record's text; specific traps only.
    bool specific;     ///< Whether it was a specific trap.
};

/// An action event the phone was sent.
struct ActionEvent {
    int type;          ///< The event type, as the interface's EventType.
    std::string data;  ///< The data sent with it, if any.
    bool withData;     ///< Whether it was sent with data.
};

/// What the phone was told that changes nothing else: traps, notifications,
/// action events and location requests, kept in the order they came.
class EventLog {
public:
    /// Records a generic trap.
    void genericTrap(int dest, int trapNo) { traps_.push_back(Trap{dest, trapNo, std::string(), false}); }
    /// Records a specific trap with its record's text.
    void specificTrap(int dest, const std::string& data) { traps_.push_back(Trap{dest, 0, data, true}); }
    /// Records a notification the phone only takes note of ("invalidateTRVKCache", "refreshPictureClips").
    void notification(const std::string& what) { notifications_.push_back(what); }
    /// Records an action event without data.
    void actionEvent(int type) { actionEvents_.push_back(ActionEvent{type, std::string(), false}); }
    /// Records an action event with data.
    void actionEvent(int type, const std::string& data) {
        actionEvents_.push_back(ActionEvent{type, data, true});
    }
    /// Counts a location delivery request.
    void locationRequest() { ++locationRequests_; }

    /// The traps, in order.
    const std::vector<Trap>& traps() const { return traps_; }
    /// The notifications, in order.
    const std::vector<std::string>& notifications() const { return notifications_; }
    /// The action events, in order.
    const std::vector<ActionEvent>& actionEvents() const { return actionEvents_; }
    /// How many location delivery requests came.
    int locationRequests() const { return locationRequests_; }

private:
    friend class StateDocument;

    std::vector<Trap> traps_;
    std::vector<std::string> notifications_;
    std::vector<ActionEvent> actionEvents_;
    int locationRequests_ = 0;
};

}  // namespace mgmtkit
