// mgmtctl's catalogue and the service description come from two tables; they
// must name the same operations, on the same interfaces, in the same order.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Catalogue.h"
#include "description/ServiceDescription.h"

TEST(ServiceDescription, NamesTheOperationsMgmtctlLists) {
    std::vector<std::pair<std::string, std::string>> listed, described;
    for (const mgmtctl::Operation& operation : mgmtctl::operations())
        listed.emplace_back(operation.interfaceName, operation.name);
    for (const mgmtdesc::Operation& operation : mgmtdesc::operations())
        if (operation.interface != mgmtdesc::Interface::LocalMgmtProxy)  // not reachable through an interface
            described.emplace_back(mgmtdesc::nameOf(operation.interface), operation.name);
    EXPECT_EQ(described, listed);
}
