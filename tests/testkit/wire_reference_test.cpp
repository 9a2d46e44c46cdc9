// The wire reference is generated from the operation table; here it is held
// against what every operation actually sends through a real proxy and what
// the simulated telephone answers, so a fault in the generator shows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "OperationTable.h"
#include "testing/SimulatedPhone.h"
#include "testing/WireReference.h"

using namespace mgmtkit;

namespace {

using Shape = std::vector<std::tuple<std::string, Parameter::kinds, Parameter::directions>>;

Shape shapeOf(const std::vector<WireParameter>& parameters) {
    Shape shape;
    for (const WireParameter& parameter : parameters)
        shape.emplace_back(parameter.name, parameter.kind, parameter.direction);
    return shape;
}

Shape shapeOf(const Method& method) {
    Shape shape;
    for (const Parameter& parameter : method.parameters())
        shape.emplace_back(parameter.name(), parameter.kind(), parameter.direction());
    return shape;
}

TEST(WireReference, DescribesWhatEachOperationSendsAndReads) {
    EXPECT_EQ(wireReference().size(), reliability::operations().size());
    for (const reliability::Operation& operation : reliability::operations()) {
        SCOPED_TRACE(operation.name);
        const WireOperation* reference = findOperation(operation.name);
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
        EXPECT_EQ(reference->pattern, *reliability::nameOf(operation.pattern));
        EXPECT_EQ(findRemote(reference->remote), std::vector<const WireOperation*>{reference});
    }
}

}  // namespace
