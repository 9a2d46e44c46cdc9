#include "StateDocument.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

#include "testing/Masking.h"

namespace mgmtkit {

namespace {

using Json = nlohmann::ordered_json;

const char* const kDownloadWords[] = {"idle", "in progress", "done"};  // by DownloadStatus

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
    throw std::invalid_argument("state document: " + path + ": " + why);
}

// A value of the type wanted, or the refusal saying where and why.
template <class T>
T as(const Json& value, const std::string& path) {
    if constexpr (std::is_same_v<T, unsigned int>) {
        if (!value.is_number_unsigned()) refuse(path, "must be a number of 0 or more");
    } else if constexpr (std::is_same_v<T, int>) {
        if (!value.is_number_integer()) refuse(path, "must be a whole number");
    }
    try {
        return value.get<T>();
    } catch (const nlohmann::json::exception& error) {
        const std::string what = error.what();  // "[json.exception.type_error.302] type must be ..."
        refuse(path, what.substr(what.find(']') + 2));
    }
}

// One object of the document being read: each key is taken at most once, and
// a key nobody took is refused by done().
class Object {
public:
    Object(const Json& json, std::string path) : json_(json), path_(std::move(path)) {
        if (!json_.is_object()) refuse(path_, "must be an object");
    }

    std::string pathOf(const std::string& key) const { return path_.empty() ? key : path_ + "." + key; }
    const Json* find(const std::string& key) {
        const auto found = json_.find(key);
        if (found == json_.end()) return nullptr;
        taken_.insert(key);
        return &*found;
    }
    template <class T>
    void take(const std::string& key, T& into) {
        if (const Json* value = find(key)) into = as<T>(*value, pathOf(key));
    }
    // Calls `read` with the object under `key`, when there is one, and checks it was read whole.
    template <class Read>
    void with(const std::string& key, Read read) {
        if (const Json* value = find(key)) {
            Object inner(*value, pathOf(key));
            read(inner);
            inner.done();
        }
    }
    // Calls `read` with each key of this object and the object under it.
    template <class Read>
    void each(Read read) {
        for (const auto& [key, value] : json_.items()) {
            taken_.insert(key);
            Object inner(value, pathOf(key));
            read(key, inner);
            inner.done();
        }
    }
    // Each key with the value of type T under it.
    template <class T>
    std::map<std::string, T> entries() {
        std::map<std::string, T> read;
        for (const auto& [key, value] : json_.items()) {
            taken_.insert(key);
            read[key] = as<T>(value, pathOf(key));
        }
        return read;
    }
    void done() const {
        for (const auto& item : json_.items())
            if (taken_.count(item.key()) == 0) refuse(pathOf(item.key()), "unknown key");
    }

private:
    const Json& json_;
    std::string path_;
    std::set<std::string> taken_;
};

int number(const std::string& key, const std::string& path) {
    try {
        std::size_t used = 0;
        const int value = std::stoi(key, &used);
        if (used == key.size()) return value;
    } catch (const std::exception&) {
    }
    refuse(path, "must be named by a number");
}

// A password as shown, and as read back: the mask keeps what was there.
std::string hidden(const std::string& value) { return value.empty() ? value : kMask; }
std::string unhidden(const std::string& value, const std::optional<std::string>& held) {
    return value == kMask && held ? *held : value;
}

template <class Map>
Json numbered(const Map& counts) {
    Json object = Json::object();
    for (const auto& [key, count] : counts) object[std::to_string(key)] = count;
    return object;
}

}  // namespace

std::string StateDocument::write(const PhoneState& state, const Faults& faults) {
    const DeviceState& d = state.device;
    Json device = {{"busyStatus", d.busy_},
                   {"identifier", d.identifier_},
                   {"displayName", d.displayName_},
                   {"softwareVersion", d.softwareVersion_},
                   {"environment", numbered(d.environment_)},
                   {"factoryResetPassword", hidden(d.factoryResetPassword_)},
                   {"softwareUpgrades", d.upgrades_},
                   {"reboots", d.reboots_},
                   {"lastRebootReason", d.lastRebootReason_},
                   {"factoryResets", d.factoryResets_},
                   {"factoryResetsPreservingData", d.resetsPreservingData_}};

    const UserAccounts& u = state.users;
    Json users = {{"current", u.currentUser_},
                  {"clearedAll", u.clearedAll_},
                  {"clearedMobile", u.clearedMobile_},
                  {"clearedGroups", numbered(u.clearedGroups_)},
                  {"cleanedUp", u.cleanups_}};

    const FileStore& f = state.files;
    Json types = Json::object();
    for (const auto& [name, type] : f.types_)
        types[name] = {{"description", type.description},
                       {"countLimit", type.countLimit},
                       {"nameLimit", type.nameLimit},
                       {"files", type.files},
                       {"download", kDownloadWords[static_cast<int>(type.download)]}};
    Json files = {{"types", types},
                  {"userFiles", f.userFiles_},
                  {"downloadsStarted", f.downloadsStarted_},
                  {"uploads", f.uploads_}};

    Json nodes = Json::object();
    for (const auto& [node, value] : state.data.values_) nodes[node] = namesPassword(node) ? hidden(value) : value;
    Json data = {{"nodes", nodes}, {"editableByUser", state.data.userEditable_}, {"schemas", state.data.schemas_}};

    Json registered = Json::object();
    for (const auto& [id, agent] : state.agents.agents_)
        registered[id] = {{"channel", agent.channel}, {"bulkData", agent.bulkData}};
    Json agents = {{"registered", registered}, {"observing", state.agents.observations_}};

    Json traps = Json::array(), actions = Json::array();
    for (const Trap& trap : state.events.traps_)
        traps.push_back(trap.specific ? Json{{"dest", trap.dest}, {"data", trap.data}}
                                      : Json{{"dest", trap.dest}, {"trapNo", trap.trapNo}});
    for (const ActionEvent& event : state.events.actionEvents_)
        actions.push_back(event.withData ? Json{{"type", event.type}, {"data", event.data}} : Json{{"type", event.type}});
    Json events = {{"traps", traps},
                   {"notifications", state.events.notifications_},
                   {"actionEvents", actions},
                   {"locationRequests", state.events.locationRequests_}};

    Json scripted = Json::object();
    for (const auto& [remote, fault] : faults) {
        switch (fault.kind) {
            case FaultScript::Fault::Fail:
                scripted[remote] = {{"fail", fault.text}};
                if (fault.remaining > 0) scripted[remote]["calls"] = fault.remaining;
                break;
            case FaultScript::Fault::Late: scripted[remote] = {{"lateMs", fault.delay.count()}}; break;
            case FaultScript::Fault::Malformed: scripted[remote] = {{"malformed", fault.text}}; break;
        }
    }
    const Json document = {{"device", device}, {"users", users},   {"files", files},      {"data", data},
                           {"agents", agents}, {"events", events}, {"faults", scripted}};
    return document.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void StateDocument::read(const std::string& text, const PhoneState& current, PhoneState& fresh, Faults& faults) {
    Json json;
    try {
        json = Json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        refuse("(the whole)", std::string("not JSON: ") + error.what());
    }
    Object document(json, "");

    document.with("device", [&](Object& o) {
        DeviceState& d = fresh.device;
        o.take("busyStatus", d.busy_);
        o.take("identifier", d.identifier_);
        o.take("displayName", d.displayName_);
        o.take("softwareVersion", d.softwareVersion_);
        o.with("environment", [&](Object& environment) {
            d.environment_.clear();
            for (const auto& [key, value] : environment.entries<std::string>()) {
                const int selection = number(key, environment.pathOf(key));
                if (selection == 0 || selection == 4)
                    refuse(environment.pathOf(key), "is the identifier or the software version: set those");
                d.environment_[selection] = value;
            }
        });
        std::string password = d.factoryResetPassword_;
        o.take("factoryResetPassword", password);
        d.factoryResetPassword_ = unhidden(password, current.device.factoryResetPassword_);
        o.take("softwareUpgrades", d.upgrades_);
        o.take("reboots", d.reboots_);
        o.take("lastRebootReason", d.lastRebootReason_);
        o.take("factoryResets", d.factoryResets_);
        o.take("factoryResetsPreservingData", d.resetsPreservingData_);
    });

    document.with("users", [&](Object& o) {
        UserAccounts& u = fresh.users;
        std::string kind = u.currentUser_;
        o.take("current", kind);
        if (!u.changeCurrentUser(kind)) refuse(o.pathOf("current"), "no user kind is named " + kind);
        o.take("clearedAll", u.clearedAll_);
        o.take("clearedMobile", u.clearedMobile_);
        o.with("clearedGroups", [&](Object& groups) {
            u.clearedGroups_.clear();
            for (const auto& [key, count] : groups.entries<int>()) u.clearedGroups_[number(key, groups.pathOf(key))] = count;
        });
        o.take("cleanedUp", u.cleanups_);
    });

    document.with("files", [&](Object& o) {
        FileStore& f = fresh.files;
        o.with("types", [&](Object& types) {
            types.each([&](const std::string& name, Object& t) {
                const auto found = f.types_.find(name);
                if (found == f.types_.end()) refuse(types.pathOf(name), "no file type is named " + name);
                FileStore::FileType& type = found->second;
                t.take("description", type.description);
                t.take("countLimit", type.countLimit);
                t.take("nameLimit", type.nameLimit);
                t.take("files", type.files);
                std::string download = kDownloadWords[static_cast<int>(type.download)];
                t.take("download", download);
                const auto word = std::find(std::begin(kDownloadWords), std::end(kDownloadWords), download);
                if (word == std::end(kDownloadWords)) refuse(t.pathOf("download"), "idle, in progress or done");
                type.download = static_cast<DownloadStatus>(word - std::begin(kDownloadWords));
            });
        });
        o.take("userFiles", f.userFiles_);
        for (const auto& [user, byType] : f.userFiles_)
            for (const auto& entry : byType)
                if (!f.knowsType(entry.first))
                    refuse(o.pathOf("userFiles." + user + "." + entry.first), "no file type is named " + entry.first);
        o.take("downloadsStarted", f.downloadsStarted_);
        o.take("uploads", f.uploads_);
    });

    document.with("data", [&](Object& o) {
        DataStore& data = fresh.data;
        o.with("nodes", [&](Object& nodes) {
            data.values_.clear();
            for (const auto& [node, value] : nodes.entries<std::string>())
                data.values_[node] = namesPassword(node) ? unhidden(value, current.data.value(node)) : value;
        });
        o.take("editableByUser", data.userEditable_);
        o.take("schemas", data.schemas_);
    });

    document.with("agents", [&](Object& o) {
        AgentRegistry& agents = fresh.agents;
        o.with("registered", [&](Object& registered) {
            registered.each([&](const std::string& id, Object& agent) {
                AgentRegistry::Agent& entry = agents.agents_[id];
                entry = {std::string(), false};
                agent.take("channel", entry.channel);
                agent.take("bulkData", entry.bulkData);
            });
        });
        o.take("observing", agents.observations_);
    });

    document.with("events", [&](Object& o) {
        EventLog& events = fresh.events;
        const auto list = [&](const char* key, auto read) {
            if (const Json* items = o.find(key)) {
                if (!items->is_array()) refuse(o.pathOf(key), "must be an array");
                for (std::size_t i = 0; i < items->size(); ++i) {
                    Object item((*items)[i], o.pathOf(key) + "." + std::to_string(i));
                    read(item);
                    item.done();
                }
            }
        };
        list("traps", [&](Object& t) {
            Trap trap{0, 0, std::string(), t.find("data") != nullptr};
            t.take("dest", trap.dest);
            if (trap.specific)
                t.take("data", trap.data);
            else
                t.take("trapNo", trap.trapNo);
            events.traps_.push_back(trap);
        });
        o.take("notifications", events.notifications_);
        list("actionEvents", [&](Object& e) {
            ActionEvent event{0, std::string(), e.find("data") != nullptr};
            e.take("type", event.type);
            if (event.withData) e.take("data", event.data);
            events.actionEvents_.push_back(event);
        });
        o.take("locationRequests", events.locationRequests_);
    });

    document.with("faults", [&](Object& o) {
        faults.clear();
        o.each([&](const std::string& remote, Object& f) {
            FaultScript::Fault fault{FaultScript::Fault::Fail, std::string()};
            long long lateMs = 0;
            if (f.find("fail")) {
                f.take("fail", fault.text);
                if (const Json* calls = f.find("calls")) {
                    fault.remaining = as<int>(*calls, f.pathOf("calls"));
                    if (fault.remaining < 1) refuse(f.pathOf("calls"), "must be 1 or more");
                }
            } else if (f.find("lateMs")) {
                f.take("lateMs", lateMs);
                fault = {FaultScript::Fault::Late, std::string(), -1, std::chrono::milliseconds(lateMs)};
            } else if (f.find("malformed")) {
                fault.kind = FaultScript::Fault::Malformed;
                f.take("malformed", fault.text);
            } else {
                refuse(o.pathOf(remote), "needs \"fail\", \"lateMs\" or \"malformed\"");
            }
            faults[remote] = fault;
        });
    });
    document.done();
}

}  // namespace mgmtkit
