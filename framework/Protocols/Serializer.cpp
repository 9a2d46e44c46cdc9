// A list of strings as one string: "empty" for the empty list, otherwise
// "[" + escaped elements joined by ',' + "]".
#include <utility>

#include "Framework.h"
#include "KeyValueText.h"

namespace {

constexpr const char* kEmptyList = "empty";
constexpr const char* kWhat = "malformed list text";
constexpr framework_internal::TextEscaping kListEscaping(",[]");

}  // namespace

void Serializer::serialize(std::string& out, const std::list<std::string>& in) {
    if (in.empty()) {
        out = kEmptyList;
        return;
    }
    std::string text;
    text += '[';
    bool first = true;
    for (const std::string& element : in) {
        if (!first) text += ',';
        first = false;
        kListEscaping.append(text, element);
    }
    text += ']';
    out.swap(text);
}

void Serializer::deserialize(const std::string& in, std::list<std::string>& out) {
    std::list<std::string> elements;
    if (in != kEmptyList) {
        if (in.size() < 2 || in.front() != '[' || in.back() != ']')
            throw CorvexException(std::string(kWhat) + ": neither \"empty\" nor a bracketed list");
        const std::string_view inner(in.data() + 1, in.size() - 2);
        std::string element;
        std::size_t pos = 0;
        for (;;) {
            const std::size_t end = kListEscaping.readField(inner, pos, element, kWhat);
            if (end < inner.size() && inner[end] != ',')
                throw CorvexException(std::string(kWhat) + ": unescaped bracket at offset " +
                                      std::to_string(end + 1));
            elements.push_back(std::move(element));
            if (end == inner.size()) break;
            pos = end + 1;  // past the ','
        }
    }
    out.swap(elements);
}
