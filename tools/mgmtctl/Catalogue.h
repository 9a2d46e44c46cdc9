// Every operation of the three interfaces, as the tool calls it: one row
// each, {tool name, arguments, result type, how to call it}.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ArgumentTypes.h"
#include "Call.h"

namespace mgmtctl {

struct Operation {
    const char* name;  // unique; overloads get names of their own
    std::vector<ArgShape> args;
    const char* result;  // "bool", "int", "unsigned int", "string" or "void"
    void (*invoke)(Call&);
    const char* member = nullptr;         // the interface's name, when the tool's differs
    const char* interfaceName = nullptr;  // set when the tables are joined

    const char* memberName() const { return member != nullptr ? member : name; }
    std::size_t requiredArgs() const;
};

// All operations: LocalMgmtIfc in interface order, then ActionEventRequestIfc,
// then LocationDeliveryRequestIfc.
const std::vector<Operation>& operations();
const Operation* findOperation(std::string_view name);
std::vector<std::string> operationNames();

// "uploadUserFile fileType:eFiletype filename:string -> int", optional
// arguments in brackets.
std::string usageOf(const Operation& operation);

}  // namespace mgmtctl
