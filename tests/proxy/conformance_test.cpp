// Every proxy operation held to its row of the service description: after its
// entry trace it sends exactly the row's request (remote method, each value
// by name, kind, direction and value, in order, the call style, time-out and
// callback channel), it reads exactly the row's reply values into the result
// and the caller's arguments, and the simulated telephone answers it. What
// comes of failures is the fault sweep's (tests/reliability).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "ProxyRig.h"
#include "testing/SimulatedPhone.h"

using namespace testing_support;

namespace {

// Records some operations write before the send beyond their row: format, and
// the message for the sample arguments (passwords in data hidden).
const std::map<std::string, std::pair<std::string, std::string>> kOwnRecords = {
    {"setData",
     {"Proxy - setData - sent = %s\n",
      "Proxy - setData - sent = ADMIN_PASSWORD=********;ringVolume=7;sipPassword=********\n"}}};

// "<level> <format>" of each record the row says comes before the send: its
// entry trace, then the observer's channel being resolved, then each file or
// user type converted to its name.
std::vector<std::string> recordsBeforeTheSend(const Operation& row) {
    std::vector<std::string> records;
    if (row.trace.format != nullptr) records.push_back(std::to_string(row.trace.level) + " " + row.trace.format);
    if (mgmtdesc::carriesCallbackChannel(row.style))
        records.insert(records.end(), {"5 findCallBackChan", "5 %s: callback channel set: %s"});
    for (const mgmtdesc::Sent& sent : row.request) {
        const mgmtdesc::Argument* from = sent.from != nullptr ? row.argument(sent.from) : nullptr;
        if (from == nullptr || sent.kind != Parameter::STRING) continue;
        if (from->type == mgmtdesc::ArgType::FileType) records.push_back("5 convertFileTypeEnumToString");
        if (from->type == mgmtdesc::ArgType::UserType) records.push_back("5 convertUserTypeEnumToString");
    }
    if (kOwnRecords.count(row.name) != 0) records.push_back("5 " + kOwnRecords.at(row.name).first);
    return records;
}

std::vector<std::string> levelsAndFormats(const std::vector<LogRecord>& records) {
    std::vector<std::string> shown;
    for (const LogRecord& record : records) shown.push_back(std::to_string(record.level) + " " + record.format);
    return shown;
}

// Each value of a record as "<kind> <name> <direction>".
std::vector<std::string> shapeOf(const Method& method) {
    std::vector<std::string> shape;
    for (const Parameter& value : method.parameters())
        shape.push_back(std::string(mgmtdesc::nameOf(value.kind())) + " " + value.name() + " " +
                        mgmtdesc::nameOf(value.direction()));
    return shape;
}

void expectRowsRequest(const Operation& row, const SentRequest& sent, const ArgumentValues& given) {
    EXPECT_EQ(sent.remote(), row.remote);
    EXPECT_EQ(sent.request.type(), Method::REQUEST);
    EXPECT_EQ(paramsOf(sent.request), paramsOf(expectedRequest(row, given)));
    EXPECT_EQ(sent.style, row.style) << mgmtdesc::nameOf(sent.style);
    EXPECT_EQ(sent.timeout, row.timeout);
    EXPECT_EQ(sent.callbackChannel, mgmtdesc::carriesCallbackChannel(row.style) ? "agent-chan" : "");
}

}  // namespace

TEST(Conformance, EveryOperationSendsAndReadsWhatItsRowSays) {
    for (const Operation& row : mgmtdesc::operations()) {
        SCOPED_TRACE(row.name);
        ProxyRig rig;  // its framework context knows rig.agent as "agent-chan"
        Proxies proxies(rig.channel);
        rig.channel.reply = scriptedReply(row);
        ArgumentValues arguments = sampleArguments(row, rig.agent);
        const ArgumentValues given = arguments;
        LogCapture log({0, 1, 2, 3, 4, 5, 6});
        std::vector<LogRecord> atTheSend;
        rig.channel.onCall = [&] { atTheSend = log.records(); };
        const Result result = call(row, proxies, arguments);

        expectRowsRequest(row, rig.channel.only(), given);
        EXPECT_EQ(levelsAndFormats(atTheSend), recordsBeforeTheSend(row));
        if (kOwnRecords.count(row.name) != 0 && !atTheSend.empty()) {
            EXPECT_EQ(atTheSend.back().message, kOwnRecords.at(row.name).second);
        }
        const Outcome expected = afterReply(row, given);
        EXPECT_EQ(show(result), show(expected.result));
        EXPECT_EQ(show(arguments), show(expected.arguments));
        for (const LogRecord& record : log.records()) {
            EXPECT_GT(record.level, 3) << "a failure record after a full answer: " << record.message;
            EXPECT_EQ(record.component, "LocalMgmtProxy");
            EXPECT_EQ(record.file, row.interface == mgmtdesc::Interface::LocationDeliveryRequest
                                       ? "./src/LocationDeliveryRequestProxy"
                                       : "./src/LocalMgmtProxy");
        }

        // The simulated telephone takes the same request and answers it with
        // what the row reads (it refuses to answer anything else itself).
        mgmtkit::SimulatedPhone phone;
        mgmtkit::SimulatedContext context;
        context.attach(phone);
        Proxies onThePhone(phone);
        ArgumentValues again = sampleArguments(row, onThePhone.agent);
        EXPECT_NO_THROW(call(row, onThePhone, again));
        const std::vector<mgmtkit::Exchange> calls = phone.calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].failure.value_or(""), "");
        EXPECT_EQ(calls[0].reply ? shapeOf(*calls[0].reply) : std::vector<std::string>(),
                  shapeOf(scriptedReply(row)));
    }
}

// Every int is a value of every enumeration: a named value travels under its
// wire name or as its number, an unnamed file or user type under the fallback
// name, anything else as its number. Each row meets every value from below its
// enumerations' first to past their last, and the largest int. All levels are
// on, since some records print the values too.
TEST(Conformance, EveryEnumerationValueTravelsDefined) {
    int rowsWithEnumerations = 0;
    for (const Operation& row : mgmtdesc::operations()) {
        std::vector<std::size_t> enumerations;
        int last = 0;
        for (std::size_t i = 0; i < row.arguments.size(); ++i) {
            if (const mgmtdesc::Enumeration* enumeration = mgmtdesc::enumerationOf(row.arguments[i].type)) {
                enumerations.push_back(i);
                for (const mgmtdesc::Enumerator& named : enumeration->enumerators) last = std::max(last, named.value);
            }
        }
        if (enumerations.empty()) continue;
        ++rowsWithEnumerations;
        std::vector<int> values = {INT_MAX};
        for (int value = -1; value <= last + 1; ++value) values.push_back(value);
        for (int value : values) {
            SCOPED_TRACE(std::string(row.name) + ", " + std::to_string(value));
            ProxyRig rig;
            Proxies proxies(rig.channel);
            ArgumentValues arguments = sampleArguments(row, rig.agent);
            for (std::size_t i : enumerations) arguments[i] = value;
            const ArgumentValues given = arguments;
            LogCapture log({0, 1, 2, 3, 4, 5, 6});
            call(row, proxies, arguments);
            EXPECT_EQ(paramsOf(rig.channel.only().request), paramsOf(expectedRequest(row, given)));
        }
    }
    EXPECT_GT(rowsWithEnumerations, 0);
}
