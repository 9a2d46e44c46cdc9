// The pieces of mgmtctl that turn text into values and values into text, in
// the cases the end-to-end tests (mgmtctl_test.py) cannot reach or do not try.
#include <gtest/gtest.h>

#include <sstream>

#include <algorithm>

#include "Agents.h"
#include "ArgumentParsing.h"
#include "Catalogue.h"
#include "Completion.h"
#include "Enumerations.h"
#include "Json.h"
#include "Masking.h"
#include "Options.h"
#include "Script.h"
#include "Suggestions.h"

using namespace mgmtctl;

TEST(Json, StringsEscapeWhatJsonRequiresAndEveryByteThatIsNotUtf8) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a/\b\f", R"("a/\b\f")"},
        {std::string("\x00\x7f", 2), R"("\u0000\u007f")"},      // NUL cannot come from the command line
        {"\xc3", R"("\u00c3")"},                                // truncated at the end
        {"\xed\xa0\x80", R"("\u00ed\u00a0\u0080")"},            // surrogate
        {"\xf4\x90\x80\x80", R"("\u00f4\u0090\u0080\u0080")"},  // above U+10FFFF
        {"\x80x\xf0\x9f\x98\x80", "\"\\u0080x\xf0\x9f\x98\x80\""},  // stray continuation, then a 4-byte character
    };
    for (const auto& c : cases) EXPECT_EQ(jsonString(c.in), c.out) << c.in;
    EXPECT_EQ(JsonObject().text("s", "x\"y").number("n", -3).flag("b", false).raw("r", "[1]").str(),
              R"({"s":"x\"y","n":-3,"b":false,"r":[1]})");
    EXPECT_EQ(JsonObject().str(), "{}");
}

TEST(Arguments, NumbersAreWholeTextsInRange) {
    const std::pair<const char*, int> accepted[] = {
        {"-7", -7}, {"+7", 7}, {"0x1f", 31}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, expected] : accepted) {
        int value = 0;
        EXPECT_TRUE(tryParseInt(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"2147483648", "", "-", "1 ", "1.5", "--1", "0x"}) {
        int value = 0;
        EXPECT_FALSE(tryParseInt(text, value)) << text;
    }
    EXPECT_EQ(parseUnsigned("4294967295"), 4294967295u);
    EXPECT_THROW(parseUnsigned("4294967296"), ArgumentError);
}

TEST(Arguments, BoolsListsAndKeyValues) {
    for (const char* yes : {"TRUE", "yes", "on", "1"}) EXPECT_TRUE(parseBool(yes)) << yes;
    for (const char* no : {"No", "off", "0"}) EXPECT_FALSE(parseBool(no)) << no;
    for (const char* bad : {"", "2", "truthy", "y"}) EXPECT_THROW(parseBool(bad), ArgumentError) << bad;

    using L = std::list<std::string>;
    EXPECT_EQ(parseList(""), L{});
    EXPECT_EQ(parseList(",,"), (L{"", "", ""}));
    EXPECT_EQ(parseList(R"(a\,b,c\\)"), (L{"a,b", "c\\"}));

    EXPECT_EQ(parseKeyValues(""), KeyValues{});
    EXPECT_EQ(parseKeyValues("url=http://h/?x=1;;a=2;b="),
              (KeyValues{{"url", "http://h/?x=1"}, {"a", "2"}, {"b", ""}}));
    EXPECT_EQ(parseKeyValues(R"(k\=1=v\;2;k=last)"), (KeyValues{{"k=1", "v;2"}, {"k", "last"}}));
    EXPECT_THROW(parseKeyValues("a=1;b"), ArgumentError);
}

TEST(Arguments, EnumerationsTakeNamesAliasesAndEveryNumberTheTypeCanHold) {
    EXPECT_EQ(fileTypes().parse("FILETYPE_RINGER"), LocalMgmtIfc::FILETYPE_RINGER);
    EXPECT_EQ(fileTypes().parse("8"), 8);  // unnamed, still forwarded
    EXPECT_EQ(userTypes().parse("USER_VISITOR"), 2);
    EXPECT_EQ(userTypes().largestValue(), 15);
    EXPECT_EQ(editableStatuses().largestValue(), 1);
    EXPECT_EQ(eventTypes().parse("EVENT_USER_ACTIVITY"), 4);
    for (const char* bad : {"Ringer", "-1", "", "ringer "}) EXPECT_THROW(fileTypes().parse(bad), ArgumentError) << bad;
}

TEST(Scripts, LinesSplitLikeASimpleShellAndKeepTheirNumbers) {
    using W = std::vector<std::string>;
    EXPECT_EQ(splitLine("op a  b\t c # note"), (W{"op", "a", "b", "c"}));
    EXPECT_EQ(splitLine(R"(op "" x#y)"), (W{"op", "", "x#y"}));
    EXPECT_EQ(splitLine(R"(op "say \"hi\" \\ \n" 'it\s')"), (W{"op", R"(say "hi" \ \n)", R"(it\s)"}));
    EXPECT_EQ(splitLine(R"(op a"b c"d)"), (W{"op", "ab cd"}));

    std::istringstream in("# header\n\nfirst 1\r\n  \nsecond\n");
    const auto lines = readScript(in);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].words, (W{"first", "1"}));
    EXPECT_EQ(lines[1].number, 5);
}

TEST(Suggestions, RankByEditDistanceIgnoringCase) {
    EXPECT_EQ(editDistance("", "abc"), 3u);
    EXPECT_EQ(editDistance("kitten", "sitting"), 3u);
    EXPECT_EQ(editDistance("ABC", "abc"), 0u);
    EXPECT_EQ(closest("x", {"deleteFile", "uploadUserFile", "validateFile"}, 5).size(), 3u);
}

TEST(Masking, HidesPasswordsByNameInAnyCase) {
    for (const char* name : {"password", "passwordHint"}) EXPECT_TRUE(namesPassword(name)) << name;
    for (const char* name : {"pass", "passwd", ""}) EXPECT_FALSE(namesPassword(name)) << name;
    ManageableData data;
    data.setValue("webPassword", "s");
    data.setValue("user", "u");
    EXPECT_EQ(maskedEntries(data), (KeyValues{{"webPassword", kMask}, {"user", "u"}}));
}

TEST(Options, AreReadAnywhereUpToADoubleDash) {
    const Options options = parseOptions({"call", "--log-level=5", "op", "--fail", "x=why", "--fail", "y", "-3", "--",
                                          "--json"});
    EXPECT_FALSE(options.json);
    EXPECT_EQ(options.logLevel, 5);
    EXPECT_EQ(options.failures,
              (std::vector<std::pair<std::string, std::string>>{{"x", "why"}, {"y", "simulated failure"}}));
    EXPECT_EQ(options.words, (std::vector<std::string>{"call", "op", "-3", "--json"}));
    EXPECT_TRUE(parseOptions({"-h"}).help);
    for (const auto& bad :
         std::vector<std::vector<std::string>>{{"--log-level", "16"}, {"--log-level"}, {"--fail", "=t"}, {"--library"}})
        EXPECT_THROW(parseOptions(bad), ArgumentError) << bad.front();
}

TEST(Catalogue, OnlyTrailingArgumentsMayBeLeftOut) {
    for (const Operation& op : operations()) {
        bool optionalSeen = false;
        for (const ArgShape& shape : op.args) {
            EXPECT_FALSE(optionalSeen && !shape.optional) << op.name << ": " << shape.name;
            optionalSeen = optionalSeen || shape.optional;
        }
    }
}

TEST(Agents, ChannelsFollowTheNameAndNeverCollide) {
    const std::pair<const char*, const char*> cases[] = {
        {"agent2", "agent-2"}, {"mgr10", "mgr-10"}, {"watcher", "watcher"}, {"agent-3", "agent-3"}, {"a_1", "a_1"}};
    for (const auto& [name, channel] : cases) EXPECT_EQ(channelOf(name), channel) << name;
    std::vector<std::string> named;
    Agents agents([&named](const ToolAgent& agent) { named.push_back(agent.channel()); });
    EXPECT_EQ(agents.get("agent2"), agents.get("agent2"));
    EXPECT_EQ(agents.get("none"), nullptr);
    EXPECT_THROW(agents.get("agent-2"), ArgumentError);  // would share agent2's channel
    EXPECT_EQ(named, std::vector<std::string>{"agent-2"});
}

TEST(Wording, ArticlesFollowTheSound) {
    EXPECT_EQ(withArticle("event type"), "an event type");
    EXPECT_EQ(withArticle("editable status"), "an editable status");
    EXPECT_EQ(withArticle("user kind"), "a user kind");
    EXPECT_EQ(withArticle("file type"), "a file type");
}

TEST(Completion, SkipsOptionsAndTheirValuesToFindThePosition) {
    using W = std::vector<std::string>;
    const auto has = [](const W& candidates, const std::string& word) {
        return std::find(candidates.begin(), candidates.end(), word) != candidates.end();
    };
    EXPECT_TRUE(has(completions({"--log-level", "5", "--fail", "x", ""}), "call"));
    EXPECT_TRUE(has(completions({"call", "--json", "up"}), "uploadUserFile"));
    EXPECT_TRUE(has(completions({"--library", "lib.so", "call", "uploadUserFile", ""}), "ringer"));
    EXPECT_TRUE(completions({"call", "uploadUserFile", "ringer", ""}).empty());  // a file name: the shell's
    EXPECT_TRUE(completions({"run", ""}).empty());
    EXPECT_TRUE(has(completions({"call", "--", "-x"}), "uploadUserFile"));
}
