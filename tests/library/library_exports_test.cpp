// What the built library exports, read with nm. The framework finds the
// factories by name; clients dynamic_cast to the interfaces and to the proxy
// classes and call the proxies' own members. Calls through the library loaded
// by path are the kit client test's and mgmtctl's.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

#include "description/ServiceDescription.h"

namespace {

// Every symbol the library exports, demangled and reduced to its name: one
// entry per overload, a thunk (the entry through an interface part) counted
// as the member it leads to.
std::multiset<std::string> exportedNames() {
    const std::string command = std::string("nm -DC --defined-only '") + PROXY_LIBRARY_PATH + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> nm(popen(command.c_str(), "r"), pclose);
    std::set<std::string> symbols;
    char line[4096];
    while (nm && std::fgets(line, sizeof line, nm.get()) != nullptr) {
        std::string symbol(line);  // "<address> <type> <demangled name>\n"
        symbol = symbol.substr(symbol.find(' ', symbol.find(' ') + 1) + 1);
        symbol.erase(symbol.find_first_of("@\n"));
        const std::string thunk = "non-virtual thunk to ";
        if (symbol.rfind(thunk, 0) == 0) symbol.erase(0, thunk.size());
        symbols.insert(symbol);
    }
    std::multiset<std::string> names;
    for (std::string symbol : symbols) {
        symbol = symbol.substr(0, symbol.find('('));
        const std::size_t tag = symbol.find("[abi:");
        names.insert(tag == std::string::npos ? symbol : symbol.substr(0, tag));
    }
    return names;
}

// Each class's members, overloads repeated.
void addMembers(std::multiset<std::string>& names, const std::string& owner, const char* members) {
    std::istringstream words(members);
    for (std::string member; words >> member;) names.insert(owner + "::" + member);
    for (const char* prefix : {"typeinfo for ", "typeinfo name for ", "vtable for "}) names.insert(prefix + owner);
}

}  // namespace

// Nothing else leaves the library: no call mechanism, no helper.
TEST(LibraryExports, FactoriesInterfaceTypesAndTheProxyClassesOnly) {
    std::multiset<std::string> expected = {
        "createLocalMgmtProxy", "createActionEventRequestProxy", "createLocationDeliveryRequestProxy",
        "typeinfo for LocalMgmtIfc", "typeinfo name for LocalMgmtIfc",
        "typeinfo for ActionEventRequestIfc", "typeinfo name for ActionEventRequestIfc",
        "typeinfo for LocationDeliveryRequestIfc", "typeinfo name for LocationDeliveryRequestIfc"};
    // Every operation, overloads repeated, in the proxy class that serves its interface.
    const char* const proxyOf[] = {"LocalMgmtProxy", "LocalMgmtProxy", "ActionEventRequestProxy",
                                   "LocationDeliveryRequestProxy"};  // by mgmtdesc::Interface
    for (const mgmtdesc::Operation& row : mgmtdesc::operations())
        expected.insert(std::string(proxyOf[static_cast<int>(row.interface)]) + "::" + row.member);
    addMembers(expected, "LocalMgmtProxy",
               "~LocalMgmtProxy initProxy convertUserTypeEnumToString convertFileTypeEnumToString getService "
               "findCallBackChan");
    addMembers(expected, "ActionEventRequestProxy", "~ActionEventRequestProxy initProxy");
    addMembers(expected, "LocationDeliveryRequestProxy", "~LocationDeliveryRequestProxy initProxy");
    EXPECT_EQ(exportedNames(), expected);
}
