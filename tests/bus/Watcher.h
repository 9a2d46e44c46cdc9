// An observer for bus tests: keeps every notification it hears (on the
// channel's bus thread) and lets the test wait for one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Framework.h"
#include "testing/SimulatedPhone.h"

namespace bustest {

class Watcher : public MgmtAgentIfc, public Executable, public NotificationSink {
public:
    void init(Context&) override {}
    void shutdown() override {}
    void notify(const Method& notification) override {
        std::lock_guard<std::mutex> lock(mutex_);
        heard_.push_back(notification);
        changed_.notify_all();
    }

    // The value of `key` in each dataChanged heard so far that carries it, in order.
    std::vector<std::string> valuesOf(const std::string& key) {
        std::lock_guard<std::mutex> lock(mutex_);
        return valuesLocked(key);
    }
    // Waits (a minute at most: a guard, not a limit) until `count` values of
    // `key` were heard; what was heard by then.
    std::vector<std::string> awaitValues(const std::string& key, std::size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, std::chrono::minutes(1), [&] { return valuesLocked(key).size() >= count; });
        return valuesLocked(key);
    }

private:
    std::vector<std::string> valuesLocked(const std::string& key) {
        std::vector<std::string> values;
        for (Method& heard : heard_) {
            std::string text;
            if (heard.name() != mgmtkit::kDataChanged || !heard.getStringParameter("manageableData", text, Parameter::IN))
                continue;
            ManageableData data;
            data.deserialize(text);
            const std::string value = data.getValue(key);
            if (!value.empty()) values.push_back(value);
        }
        return values;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Method> heard_;
};

}  // namespace bustest
