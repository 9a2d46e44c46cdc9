// The object model's key functions: out-of-line destructors, so that each
// class's vtable and type information live in the library.
#include "Framework.h"

#include <utility>

Context::Context() {}

Executable::~Executable() = default;
Threadable::~Threadable() = default;
MgmtAgentIfc::~MgmtAgentIfc() = default;

CorvexException::CorvexException(const std::string& text) : text_(text) {}
CorvexException::~CorvexException() = default;
const char* CorvexException::what() const { return text_.c_str(); }
