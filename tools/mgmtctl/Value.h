// A value the tool shows: an operation's result, an out-argument or an
// argument as given. Rendered as JSON text in both output modes, so strings
// are always quoted and escaped the same way.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "Framework.h"

namespace mgmtctl {

class Value {
public:
    enum class Kind { None, Bool, Int, Text, List, Data };

    static Value none() { return Value(Kind::None); }
    static Value boolean(bool flag);
    static Value integer(long long number);
    static Value text(std::string text);
    static Value list(const std::list<std::string>& items);
    static Value data(KeyValues entries);

    Kind kind() const { return kind_; }
    std::string json() const;

private:
    explicit Value(Kind kind) : kind_(kind) {}

    Kind kind_;
    bool flag_ = false;
    long long number_ = 0;
    std::string text_;
    std::vector<std::string> items_;
    KeyValues entries_;
};

}  // namespace mgmtctl
