// The enumerations of the three interfaces as the tool reads them from the
// command line: by name or by number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mgmtctl {

struct Enumerator {
    const char* name;   // what the tool prints and reads
    const char* alias;  // a second accepted spelling (the header's name), or null
    int value;
};

class Enumeration {
public:
    Enumeration(const char* typeName, std::vector<Enumerator> enumerators);

    const char* typeName() const { return typeName_; }
    const std::vector<Enumerator>& enumerators() const { return enumerators_; }

    // The value for a name, an alias or a number. Numbers are accepted from 0
    // up to the largest value the enumeration can hold (the named values
    // rounded up to a power of two, less one), as the proxies forward unnamed
    // values too. Anything else throws ArgumentError listing the valid names.
    int parse(std::string_view text) const;

    int largestValue() const { return largest_; }
    std::string names(const char* separator = ", ") const;

private:
    const char* typeName_;
    std::vector<Enumerator> enumerators_;
    int largest_;
};

const Enumeration& fileTypes();
const Enumeration& userTypes();
const Enumeration& trapDestinations();
const Enumeration& environmentVariables();
const Enumeration& userDataGroups();
const Enumeration& downloadProtocols();
const Enumeration& certificateTypes();
const Enumeration& accessLevels();
const Enumeration& editableStatuses();
const Enumeration& eventTypes();

}  // namespace mgmtctl
