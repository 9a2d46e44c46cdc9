#include "Records.h"

#include "Masking.h"

namespace mgmtctl {

Record parametersOf(const Method& method) {
    Record parameters = Record::array();
    const Method shown = masked(method);
    for (const Parameter& parameter : shown.parameters()) {
        const Record value = parameter.kind() == Parameter::INT    ? Record(parameter.intValue())
                             : parameter.kind() == Parameter::BOOL ? Record(parameter.boolValue())
                                                                   : Record(parameter.stringValue());
        parameters.push_back({{"name", parameter.name()}, {"kind", mgmtdesc::nameOf(parameter.kind())},
                              {"direction", mgmtdesc::nameOf(parameter.direction())}, {"value", value}});
    }
    return parameters;
}

std::vector<Record> exchangeRecords(const Method& request, mgmtdesc::CallStyle style,
                                    const std::string& callbackChannel, int timeout, const Method* reply,
                                    const std::string* failure) {
    std::vector<Record> records;
    records.push_back({{"record", "request"}, {"method", request.name()}, {"style", mgmtdesc::nameOf(style)},
                       {"timeout", timeout}, {"callbackChannel", callbackChannel},
                       {"parameters", parametersOf(request)}});
    if (failure != nullptr)
        records.push_back({{"record", "reply"}, {"method", request.name()}, {"failure", *failure}});
    else if (reply != nullptr)
        records.push_back({{"record", "reply"}, {"method", request.name()}, {"parameters", parametersOf(*reply)}});
    return records;
}

}  // namespace mgmtctl
