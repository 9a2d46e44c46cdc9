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

std::string listText(const std::list<std::string>& list) {
    std::string text = "old content";
    Serializer::serialize(text, list);
    return text;
}

std::string dataText(const KeyValues& values) {
    ManageableData data;
    for (const auto& [key, value] : values) data.setValue(key, value);
    return data.serialize(ManageableData::KEY_VALUE_TEXT);
}

TEST(TextFormsTest, EveryListAndEveryKeyValueObjectComesBackAsItWent) {
    std::vector<std::list<std::string>> lists = {{}, {""}, {"", ""}, {kAdversarial.begin(), kAdversarial.end()}};
    std::vector<KeyValues> objects = {{}, {{"", ""}}, {{"", "v"}}, {{"k", ""}}};
    KeyValues all;
    for (std::size_t i = 0; i < kAdversarial.size(); ++i) {
        lists.push_back({kAdversarial[i]});
        objects.push_back({{kAdversarial[i], kAdversarial[(i + 1) % kAdversarial.size()]}});
        all[kAdversarial[i]] = kAdversarial[kAdversarial.size() - 1 - i];
    }
    objects.push_back(all);
    for (const auto& list : lists) {
        std::list<std::string> back = {"stale"};
        Serializer::deserialize(listText(list), back);
        EXPECT_EQ(back, list) << printable(listText(list));
    }
    for (const KeyValues& values : objects) {
        std::string text = dataText(values);
        auto refilled = [&](auto object) {
            object.setValue("stale", "x");
            EXPECT_TRUE(object.deserialize(text));
            EXPECT_EQ(object.values(), values) << printable(text);
        };
        refilled(ManageableData());
        refilled(MemoryInfo());
    }
}

TEST(TextFormsTest, ExactTexts) {
    const std::vector<std::pair<std::list<std::string>, std::string>> lists = {
        {{}, "empty"},          {{""}, "[]"},          {{"a", "b"}, "[a,b]"},
        {{"empty"}, "[empty]"}, {{"", ""}, "[,]"},     {{"a,b", "[x]"}, "[a\\,b,\\[x\\]]"},
        {{"\\"}, "[\\\\]"},     {{"\n\x1f"}, "[\\x0a\\x1f]"},
    };
    for (const auto& [list, text] : lists) EXPECT_EQ(listText(list), text);

    EXPECT_EQ(dataText({}), "");
    EXPECT_EQ(dataText({{"", ""}}), "=");
    EXPECT_EQ(dataText({{"b", "x;y=z\\"}, {"a", "\n\xc3\xa9"}}), "a=\\x0a\xc3\xa9;b=x\\;y\\=z\\\\");

    std::list<std::string> read;  // escapes are read in either case
    Serializer::deserialize("[\\x4A\\x0a,\\x4b]", read);
    EXPECT_EQ(read, (std::list<std::string>{"J\n", "K"}));

    std::string twice = "k=1;j=2;k=3";  // the last value of a key wins
    MemoryInfo info;
    EXPECT_TRUE(info.deserialize(twice));
    EXPECT_EQ(info.values(), (KeyValues{{"j", "2"}, {"k", "3"}}));
    EXPECT_EQ(info.getValue("absent"), "");
}

TEST(TextFormsTest, MalformedTextThrowsAndLeavesTheTarget) {
    for (const std::string text : {"", "Empty", "[", "]", "a,b", "[a", "[a]b", "[a[b]", "[a]b]", "[\\]",
                                   "[\\q]", "[\\x4]", "[\\xzz]", "[a\\", "empty "}) {
        std::list<std::string> out = {"kept"};
        EXPECT_THROW(Serializer::deserialize(text, out), CorvexException) << printable(text);
        EXPECT_EQ(out, std::list<std::string>{"kept"});
    }
    for (std::string text : {"k", "k=v;", ";", "k=v;j", "a=b=c", "a=b==c", "k=v\\", "k=\\q", "k=\\x4", "k=\\xg1",
                             "\\=k", "k=v;;j=w"}) {
        auto rejected = [&text](auto object) {
            object.setValue("kept", "1");
            EXPECT_THROW(object.deserialize(text), CorvexException) << printable(text);
            EXPECT_EQ(object.values(), (KeyValues{{"kept", "1"}}));
        };
        rejected(ManageableData());
        rejected(MemoryInfo());
    }
}

std::string mask(const std::string& text) {
    return ClientUtils::hideValuesForKnownPasswords(text.data(), static_cast<int>(text.size()));
}

TEST(ClientUtilsTest, MasksPasswordKeysOnlyAndNeverLeaks) {
    EXPECT_EQ(mask(dataText({{"password", "s3cret-1"}, {"adminPassword", "s3cret-2"}, {"PASSWORD_2", "s3cret;3\0x"s},
                             {"pass", "visible"}, {"user", "alice"}})),
              dataText({{"password", "********"}, {"adminPassword", "********"}, {"PASSWORD_2", "********"},
                        {"pass", "visible"}, {"user", "alice"}}));
    EXPECT_EQ(mask("a=1\0;password=x"s), "a=1\\x00;password=********");  // a NUL byte is data, not an end
    EXPECT_EQ(ClientUtils::hideValuesForKnownPasswords("password=abc;x=1", 12), "password=********");
    EXPECT_EQ(ClientUtils::hideValuesForKnownPasswords(nullptr, 5), "");
    EXPECT_EQ(ClientUtils::hideValuesForKnownPasswords("k=v", -1), "");
    EXPECT_EQ(mask("password=topsecret;broken"), "<unreadable data hidden>");
    EXPECT_EQ(mask("password=topsecret\\"), "<unreadable data hidden>");
}

}  // namespace
