#include "Value.h"

#include <utility>

#include "Json.h"

namespace mgmtctl {

Value Value::boolean(bool flag) {
    Value value(Kind::Bool);
    value.flag_ = flag;
    return value;
}

Value Value::integer(long long number) {
    Value value(Kind::Int);
    value.number_ = number;
    return value;
}

Value Value::text(std::string text) {
    Value value(Kind::Text);
    value.text_ = std::move(text);
    return value;
}

Value Value::list(const std::list<std::string>& items) {
    Value value(Kind::List);
    value.items_.assign(items.begin(), items.end());
    return value;
}

Value Value::data(KeyValues entries) {
    Value value(Kind::Data);
    value.entries_ = std::move(entries);
    return value;
}

std::string Value::json() const {
    switch (kind_) {
        case Kind::None: return "null";
        case Kind::Bool: return flag_ ? "true" : "false";
        case Kind::Int: return std::to_string(number_);
        case Kind::Text: return jsonString(text_);
        case Kind::List: {
            std::string out = "[";
            for (const std::string& item : items_) {
                if (out.size() > 1) out += ", ";
                appendJsonString(out, item);
            }
            return out + "]";
        }
        case Kind::Data: {
            std::string out = "{";
            for (const auto& [key, entry] : entries_) {
                if (out.size() > 1) out += ", ";
                appendJsonString(out, key);
                out += ": ";
                appendJsonString(out, entry);
            }
            return out + "}";
        }
    }
    return "null";
}

}  // namespace mgmtctl
