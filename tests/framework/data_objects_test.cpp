#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "Framework.h"

namespace {

using namespace std::string_literals;

// Strings that break naive text forms.
const std::vector<std::string> kAdversarial = {
    "", "empty", "plain", ";", "=", ",", "[", "]", "\\", "\\\\", "a=b;c=d", "[a,b]", "\\x41", "\\x",
    "\"quoted\" 'single'", "line\nbreak\r\n", "tab\tand\x7f", "nul\0inside"s, "\0"s, "caf\xc3\xa9",
    "\xff\x80", std::string(5000, ';') + std::string(5000, 'x'),
};

std::string printable(const std::string& text) { return ::testing::PrintToString(text); }

TEST(SerializerTest, RoundTripsAdversarialLists) {
    std::vector<std::list<std::string>> lists = {{}, {""}, {"empty"}, {"", ""}, {"a", "b"}};
    lists.emplace_back(kAdversarial.begin(), kAdversarial.end());
    for (const std::string& element : kAdversarial) lists.push_back({element});
    for (const auto& list : lists) {
        std::string text = "old content";
        Serializer::serialize(text, list);
        if (!list.empty()) {
            EXPECT_NE(text, "empty");
        }
        std::list<std::string> back = {"stale"};
        Serializer::deserialize(text, back);
        EXPECT_EQ(back, list) << printable(text);
    }
}

TEST(SerializerTest, ExactTexts) {
    const std::vector<std::pair<std::list<std::string>, std::string>> cases = {
        {{}, "empty"},          {{""}, "[]"},          {{"a", "b"}, "[a,b]"},
        {{"empty"}, "[empty]"}, {{"", ""}, "[,]"},     {{"a,b", "[x]"}, "[a\\,b,\\[x\\]]"},
        {{"\\"}, "[\\\\]"},     {{"\n\x1f"}, "[\\x0a\\x1f]"},
    };
    for (const auto& [list, text] : cases) {
        std::string out;
        Serializer::serialize(out, list);
        EXPECT_EQ(out, text);
    }
}

TEST(SerializerTest, MalformedTextThrowsAndLeavesTheList) {
    for (const std::string text : {"", "Empty", "[", "]", "a,b", "[a", "[a]b", "[a[b]", "[a]b]", "[\\]",
                                   "[\\q]", "[\\x4]", "[\\xzz]", "[a\\", "empty "}) {
        std::list<std::string> out = {"kept"};
        EXPECT_THROW(Serializer::deserialize(text, out), CorvexException) << printable(text);
        EXPECT_EQ(out, std::list<std::string>{"kept"});
    }
}

template <class Data>
void roundTrip(const KeyValues& values) {
    Data data;
    for (const auto& [key, value] : values) data.setValue(key, value);
    std::string text;
    if constexpr (std::is_same_v<Data, ManageableData>)
        text = data.serialize(ManageableData::KEY_VALUE_TEXT);
    else
        text = data.serialize();
    Data back;
    back.setValue("stale", "x");
    EXPECT_TRUE(back.deserialize(text));
    EXPECT_EQ(back.values(), values) << printable(text);
}

TEST(KeyValueTest, DataObjectsRoundTripAdversarialContent) {
    std::vector<KeyValues> cases = {{}, {{"", ""}}, {{"", "v"}}, {{"k", ""}}};
    KeyValues all;
    for (std::size_t i = 0; i < kAdversarial.size(); ++i) {
        cases.push_back({{kAdversarial[i], kAdversarial[(i + 1) % kAdversarial.size()]}});
        all[kAdversarial[i]] = kAdversarial[kAdversarial.size() - 1 - i];
    }
    cases.push_back(all);
    for (const KeyValues& values : cases) {
        roundTrip<ManageableData>(values);
        roundTrip<MemoryInfo>(values);
    }
}

TEST(KeyValueTest, ExactTexts) {
    ManageableData data;
    EXPECT_EQ(data.serialize(ManageableData::KEY_VALUE_TEXT), "");
    data.setValue("", "");
    EXPECT_EQ(data.serialize(ManageableData::KEY_VALUE_TEXT), "=");
    data.clearAll();
    data.setValue("b", "x;y=z\\");
    data.setValue("a", "\n\xc3\xa9");
    EXPECT_EQ(data.serialize(ManageableData::KEY_VALUE_TEXT), "a=\\x0a\xc3\xa9;b=x\\;y\\=z\\\\");
    EXPECT_EQ(data.getValue("b"), "x;y=z\\");
    EXPECT_EQ(data.getValue("absent"), "");

    SNMPTrapData trap;
    trap.setValue("oid", "1.3.6");
    trap.setValue("a", "=");
    EXPECT_EQ(trap.serialize(), "a=\\=;oid=1.3.6");
}

TEST(KeyValueTest, DuplicateKeysLastWins) {
    std::string text = "k=1;j=2;k=3";
    MemoryInfo info;
    EXPECT_TRUE(info.deserialize(text));
    EXPECT_EQ(info.getValue("k"), "3");
    EXPECT_EQ(info.serialize(), "j=2;k=3");
}

TEST(KeyValueTest, MalformedTextThrowsAndLeavesTheObject) {
    for (std::string text : {"k", "k=v;", ";", "k=v;j", "a=b=c", "a=b==c", "k=v\\", "k=\\q", "k=\\x4", "k=\\xg1",
                             "\\=k", "k=v;;j=w"}) {
        ManageableData data;
        data.setValue("kept", "1");
        EXPECT_THROW(data.deserialize(text), CorvexException) << printable(text);
        EXPECT_EQ(data.values(), (KeyValues{{"kept", "1"}}));
        MemoryInfo info;
        info.setValue("kept", "1");
        EXPECT_THROW(info.deserialize(text), CorvexException) << printable(text);
        EXPECT_EQ(info.values(), (KeyValues{{"kept", "1"}}));
    }
}

std::string mask(const std::string& text) {
    return ClientUtils::hideValuesForKnownPasswords(text.data(), static_cast<int>(text.size()));
}

TEST(ClientUtilsTest, MasksPasswordKeysOnly) {
    ManageableData data;
    data.setValue("password", "s3cret-1");
    data.setValue("adminPassword", "s3cret-2");
    data.setValue("PASSWORD_2", "s3cret;3\0x"s);
    data.setValue("pass", "visible");
    data.setValue("user", "alice");
    const std::string masked = mask(data.serialize(ManageableData::KEY_VALUE_TEXT));
    EXPECT_EQ(masked.find("s3cret"), std::string::npos) << masked;
    std::string copy = masked;
    ManageableData back;
    ASSERT_TRUE(back.deserialize(copy));
    EXPECT_EQ(back.getValue("password"), "********");
    EXPECT_EQ(back.getValue("adminPassword"), "********");
    EXPECT_EQ(back.getValue("PASSWORD_2"), "********");
    EXPECT_EQ(back.getValue("pass"), "visible");
    EXPECT_EQ(back.getValue("user"), "alice");
}

TEST(ClientUtilsTest, TakesExactlyLengthBytesAndNeverLeaks) {
    const std::string withNul = "a=1\0;password=x"s;
    EXPECT_EQ(mask(withNul), "a=1\\x00;password=********");  // a NUL byte is data, not an end
    EXPECT_EQ(ClientUtils::hideValuesForKnownPasswords("password=abc;x=1", 12), "password=********");
    EXPECT_EQ(ClientUtils::hideValuesForKnownPasswords(nullptr, 5), "");
    EXPECT_EQ(ClientUtils::hideValuesForKnownPasswords("k=v", -1), "");
    EXPECT_EQ(mask("password=topsecret;broken"), "<unreadable data hidden>");
    EXPECT_EQ(mask("password=topsecret\\"), "<unreadable data hidden>");
}

}  // namespace
