#include "Reference.h"

#include "Arguments.h"
#include "BadInput.h"

namespace mgmtctl {

namespace {

template <class Value>
Record wireValues(const std::vector<Value>& values) {
    Record list = Record::array();
    for (const Value& v : values)
        list.push_back(
            {{"name", v.name}, {"kind", mgmtdesc::nameOf(v.kind)}, {"direction", mgmtdesc::nameOf(v.direction)}});
    return list;
}

}  // namespace

std::vector<const Operation*> callableOperations() {
    std::vector<const Operation*> callable;
    for (const Operation& operation : mgmtdesc::operations())
        if (operation.interface != mgmtdesc::Interface::LocalMgmtProxy) callable.push_back(&operation);
    return callable;
}

std::vector<std::string> operationNames() {
    std::vector<std::string> names;
    for (const Operation* operation : callableOperations()) names.emplace_back(operation->name);
    return names;
}

const Operation* findCallable(const std::string& name) {
    for (const Operation* operation : callableOperations())
        if (name == operation->name) return operation;
    return nullptr;
}

const Operation& requireOperation(const std::string& name) {
    if (const Operation* operation = findCallable(name)) return *operation;
    throw ArgumentError("unknown operation '" + name + "'" + closest(name, operationNames()) +
                        " (mgmtctl list shows them all)");
}

Record operationRecord(const Operation& operation, bool wire) {
    Record arguments = Record::array();
    for (std::size_t i = 0; i < operation.arguments.size(); ++i)
        arguments.push_back({{"name", operation.arguments[i].name},
                             {"type", mgmtdesc::nameOf(operation.arguments[i].type)},
                             {"optional", mayBeLeftOut(operation, i)}});
    Record record = {{"record", "operation"},     {"interface", mgmtdesc::nameOf(operation.interface)},
                     {"name", operation.name},    {"member", operation.member},
                     {"arguments", arguments},    {"result", operation.result},
                     {"remote", operation.remote}};
    if (!wire) return record;
    Record failure;  // null without a record
    if (operation.failure.format != nullptr)
        failure = {{"format", operation.failure.format}, {"level", operation.failure.level}};
    record["wire"] = {{"remote", operation.remote}, {"request", wireValues(operation.request)},
                      {"reply", wireValues(operation.reply)}, {"style", mgmtdesc::nameOf(operation.style)},
                      {"timeout", operation.timeout}, {"pattern", mgmtdesc::nameOf(operation.pattern)},
                      {"failure", failure}};
    return record;
}

std::vector<Record> enumerationRecords() {
    std::vector<Record> records;
    for (const mgmtdesc::Enumeration& enumeration : mgmtdesc::enumerations()) {
        Record values = Record::object();
        for (const mgmtdesc::Enumerator& e : enumeration.enumerators) values[shownName(e)] = e.value;
        records.push_back({{"record", "type"}, {"name", mgmtdesc::nameOf(enumeration.type)}, {"values", values},
                           {"largest", enumeration.largestValue()}});
    }
    return records;
}

}  // namespace mgmtctl
