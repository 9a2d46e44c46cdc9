// The service description held against what every operation actually sends
// through a real proxy and what the simulated telephone answers.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "OperationTable.h"
#include "testing/SimulatedPhone.h"
#include "description/ServiceDescription.h"

using namespace mgmtkit;

namespace {

using Shape = std::vector<std::tuple<std::string, Parameter::kinds, Parameter::directions>>;

template <class Value>
Shape shapeOf(const std::vector<Value>& parameters) {
    Shape shape;
    for (const Value& parameter : parameters)
        shape.emplace_back(parameter.name, parameter.kind, parameter.direction);
    return shape;
}

Shape shapeOf(const Method& method) {
    Shape shape;
    for (const Parameter& parameter : method.parameters())
        shape.emplace_back(parameter.name(), parameter.kind(), parameter.direction());
    return shape;
}

TEST(ServiceDescription, DescribesWhatEachOperationSendsAndReads) {
    EXPECT_EQ(mgmtdesc::operations().size(), reliability::operations().size());
    for (const reliability::Operation& operation : reliability::operations()) {
        SCOPED_TRACE(operation.name);
        const mgmtdesc::Operation* reference = mgmtdesc::findOperation(operation.name);
        ASSERT_NE(reference, nullptr);
        SimulatedPhone phone;
        SimulatedContext context;
        context.attach(phone);
        reliability::Proxies proxies(phone);
        reliability::CallerArgs args;
        try {
            operation.call(proxies, args);
        } catch (const CorvexException&) {
            // Patterns A to C pass failures on; the request was still sent.
        }
        const std::vector<TrafficEntry> traffic = phone.traffic();
        ASSERT_EQ(traffic.size(), 1u);
        EXPECT_EQ(traffic[0].message.name(), reference->remote);
        EXPECT_EQ(shapeOf(traffic[0].message), shapeOf(reference->request));
        EXPECT_EQ(traffic[0].style, reference->style);
        EXPECT_EQ(traffic[0].timeout, reference->timeout);
        EXPECT_EQ(traffic[0].reply ? shapeOf(*traffic[0].reply) : Shape(), shapeOf(reference->reply));
        EXPECT_STREQ(mgmtdesc::nameOf(reference->pattern), reliability::nameOf(operation.pattern));
        EXPECT_EQ(mgmtdesc::operationsSending(reference->remote), std::vector<const mgmtdesc::Operation*>{reference});
    }
}

}  // namespace
