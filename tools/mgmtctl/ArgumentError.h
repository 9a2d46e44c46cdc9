// Bad input, from the command line or a script line: the tool says why and
// exits with status 2 before anything is sent.
#pragma once

#include <stdexcept>

namespace mgmtctl {

class ArgumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace mgmtctl
