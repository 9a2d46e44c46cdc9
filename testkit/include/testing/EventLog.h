// What the phone was told that changes nothing else: traps, notifications,
// action events and location requests, kept in the order they came.
#pragma once

#include <string>
#include <vector>

namespace mgmtkit {

struct Trap {
    int dest;
    int trapNo;        // generic traps only
    std::string data;  // the record's text, specific traps only
    bool specific;
};

struct ActionEvent {
    int type;
    std::string data;
    bool withData;
};

class EventLog {
public:
    void genericTrap(int dest, int trapNo) { traps_.push_back(Trap{dest, trapNo, std::string(), false}); }
    void specificTrap(int dest, const std::string& data) { traps_.push_back(Trap{dest, 0, data, true}); }
    void notification(const std::string& what) { notifications_.push_back(what); }
    void actionEvent(int type) { actionEvents_.push_back(ActionEvent{type, std::string(), false}); }
    void actionEvent(int type, const std::string& data) {
        actionEvents_.push_back(ActionEvent{type, data, true});
    }
    void locationRequest() { ++locationRequests_; }

    const std::vector<Trap>& traps() const { return traps_; }
    const std::vector<std::string>& notifications() const { return notifications_; }
    const std::vector<ActionEvent>& actionEvents() const { return actionEvents_; }
    int locationRequests() const { return locationRequests_; }

private:
    friend class StateDocument;

    std::vector<Trap> traps_;
    std::vector<std::string> notifications_;
    std::vector<ActionEvent> actionEvents_;
    int locationRequests_ = 0;
};

}  // namespace mgmtkit
