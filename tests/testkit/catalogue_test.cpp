// mgmtctl's catalogue and the kit's wire reference come from two tables; they
// must name the same operations, on the same interfaces, in the same order.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Catalogue.h"
#include "testing/WireReference.h"

TEST(WireReference, NamesTheOperationsMgmtctlLists) {
    std::vector<std::pair<std::string, std::string>> listed, described;
    for (const mgmtctl::Operation& operation : mgmtctl::operations())
        listed.emplace_back(operation.interfaceName, operation.name);
    for (const mgmtkit::WireOperation& operation : mgmtkit::wireReference())
        if (operation.interfaceName != "LocalMgmtProxy")  // not reachable through an interface
            described.emplace_back(operation.interfaceName, operation.operation);
    EXPECT_EQ(described, listed);
}
