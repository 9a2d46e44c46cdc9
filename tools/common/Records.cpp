#include "Records.h"

namespace mgmtctl {

std::vector<Record> exchangeRecords(const Record& e) {
    if (e["kind"] == "notification")
        return {{{"record", "callback"}, {"method", e["method"]}, {"channel", e["callbackChannel"]},
                 {"parameters", e["parameters"]}}};
    std::vector<Record> records = {{{"record", "request"}, {"method", e["method"]}, {"style", e["style"]},
                                    {"timeout", e["timeout"]}, {"callbackChannel", e["callbackChannel"]},
                                    {"parameters", e["parameters"]}}};
    if (e.contains("failure"))
        records.push_back({{"record", "reply"}, {"method", e["method"]}, {"failure", e["failure"]}});
    else if (e.contains("reply"))
        records.push_back({{"record", "reply"}, {"method", e["method"]}, {"parameters", e["reply"]}});
    return records;
}

std::vector<Record> exchangeRecords(const mgmtkit::Exchange& exchange) {
    return exchangeRecords(Record::parse(mgmtkit::toJson(exchange)));
}

}  // namespace mgmtctl
