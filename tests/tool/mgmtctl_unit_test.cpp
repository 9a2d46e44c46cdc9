// The pieces of mgmtctl that turn text into values and values into text.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "ArgumentParsing.h"
#include "Catalogue.h"
#include "Enumerations.h"
#include "Json.h"
#include "Masking.h"
#include "Options.h"
#include "Script.h"
#include "Suggestions.h"

using namespace mgmtctl;

TEST(JsonString, EscapesWhatJsonRequiresAndKeepsUtf8) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"", R"("")"},
        {"plain", R"("plain")"},
        {"a\"b\\c/", R"("a\"b\\c/")"},
        {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {std::string("\x00\x01\x1f\x7f", 4), R"("\u0000\u0001\u001f\u007f")"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\""},
        {"\xff", R"("\u00ff")"},                                // never a UTF-8 byte
        {"\xc3", R"("\u00c3")"},                                // truncated sequence
        {"\xc3(", R"("\u00c3(")"},                              // lead byte without continuation
        {"\xc0\xaf", R"("\u00c0\u00af")"},                      // overlong
        {"\xed\xa0\x80", R"("\u00ed\u00a0\u0080")"},            // surrogate
        {"\xf4\x90\x80\x80", R"("\u00f4\u0090\u0080\u0080")"},  // above U+10FFFF
        {"\x80x", R"("\u0080x")"},                              // stray continuation
    };
    for (const auto& c : cases) EXPECT_EQ(jsonString(c.in), c.out) << c.in;
}

TEST(JsonObject, KeepsFieldOrderAndTypes) {
    const std::string text =
        JsonObject().text("s", "x\"y").number("n", -3).flag("b", false).raw("r", "[1]").str();
    EXPECT_EQ(text, R"({"s":"x\"y","n":-3,"b":false,"r":[1]})");
    EXPECT_EQ(JsonObject().str(), "{}");
}

TEST(Numbers, ParseWholeTextsInRange) {
    const struct {
        const char* text;
        bool ok;
        int value;
    } ints[] = {{"0", true, 0},
                {"-7", true, -7},
                {"+7", true, 7},
                {"0x1f", true, 31},
                {"2147483647", true, 2147483647},
                {"-2147483648", true, -2147483647 - 1},
                {"2147483648", false, 0},
                {"", false, 0},
                {"-", false, 0},
                {"1 ", false, 0},
                {"1.5", false, 0},
                {"--1", false, 0},
                {"0x", false, 0},
                {"twelve", false, 0}};
    for (const auto& c : ints) {
        int value = 0;
        EXPECT_EQ(tryParseInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_EQ(parseUnsigned("4294967295"), 4294967295u);
    EXPECT_THROW(parseUnsigned("4294967296"), ArgumentError);
    EXPECT_THROW(parseUnsigned("-1"), ArgumentError);
    EXPECT_THROW(parseInt("x"), ArgumentError);
}

TEST(Bools, AcceptTheUsualWordsOnly) {
    for (const char* yes : {"true", "TRUE", "yes", "on", "1"}) EXPECT_TRUE(parseBool(yes)) << yes;
    for (const char* no : {"false", "No", "off", "0"}) EXPECT_FALSE(parseBool(no)) << no;
    for (const char* bad : {"", "2", "truthy", "y"}) EXPECT_THROW(parseBool(bad), ArgumentError) << bad;
}

TEST(Lists, SplitOnUnescapedCommas) {
    using L = std::list<std::string>;
    EXPECT_EQ(parseList(""), L{});
    EXPECT_EQ(parseList("a"), L{"a"});
    EXPECT_EQ(parseList("a,b c,"), (L{"a", "b c", ""}));
    EXPECT_EQ(parseList(",,"), (L{"", "", ""}));
    EXPECT_EQ(parseList(R"(a\,b,c\\)"), (L{"a,b", "c\\"}));
}

TEST(KeyValueTexts, ReadEntriesAndRefuseEntriesWithoutValue) {
    EXPECT_EQ(parseKeyValues(""), KeyValues{});
    EXPECT_EQ(parseKeyValues("a=1;b="), (KeyValues{{"a", "1"}, {"b", ""}}));
    EXPECT_EQ(parseKeyValues("url=http://h/?x=1;;a=2;"), (KeyValues{{"url", "http://h/?x=1"}, {"a", "2"}}));
    EXPECT_EQ(parseKeyValues(R"(k\=1=v\;2;k=last)"), (KeyValues{{"k=1", "v;2"}, {"k", "last"}}));
    EXPECT_THROW(parseKeyValues("a=1;b"), ArgumentError);
    EXPECT_THROW(parseKeyValues("novalue"), ArgumentError);
}

TEST(Enumerations, ReadNamesAliasesAndNumbersTheTypeCanHold) {
    EXPECT_EQ(fileTypes().parse("ringer"), LocalMgmtIfc::FILETYPE_RINGER);
    EXPECT_EQ(fileTypes().parse("FILETYPE_RINGER"), LocalMgmtIfc::FILETYPE_RINGER);
    EXPECT_EQ(fileTypes().parse("8"), 8);  // unnamed, still forwarded
    EXPECT_EQ(fileTypes().largestValue(), 31);
    EXPECT_EQ(userTypes().parse("ClearDataVisitorUserQel"), 8);
    EXPECT_EQ(userTypes().parse("USER_VISITOR"), 2);
    EXPECT_EQ(userTypes().largestValue(), 15);
    EXPECT_EQ(editableStatuses().largestValue(), 1);
    EXPECT_EQ(eventTypes().parse("EVENT_USER_ACTIVITY"), 4);
    for (const char* bad : {"Ringer", "32", "-1", "", "ringer "}) {
        try {
            fileTypes().parse(bad);
            ADD_FAILURE() << bad << " accepted";
        } catch (const ArgumentError& error) {
            EXPECT_NE(std::string(error.what()).find("vrpat"), std::string::npos) << error.what();
        }
    }
}

TEST(ScriptLines, SplitLikeASimpleShell) {
    using W = std::vector<std::string>;
    EXPECT_EQ(splitLine(""), W{});
    EXPECT_EQ(splitLine("   # only a comment"), W{});
    EXPECT_EQ(splitLine("op a  b\t c # note"), (W{"op", "a", "b", "c"}));
    EXPECT_EQ(splitLine(R"(op "a b" '' "" x#y)"), (W{"op", "a b", "", "", "x#y"}));
    EXPECT_EQ(splitLine(R"(op "say \"hi\" \\ \n" 'it\s')"), (W{"op", R"(say "hi" \ \n)", R"(it\s)"}));
    EXPECT_EQ(splitLine(R"(op a"b c"d)"), (W{"op", "ab cd"}));
    EXPECT_THROW(splitLine(R"(op "open)"), ArgumentError);
    EXPECT_THROW(splitLine("op 'open"), ArgumentError);
}

TEST(ScriptLines, KeepLineNumbersOfCalls) {
    std::istringstream in("# header\n\nfirst 1\r\n  \nsecond\n");
    const auto lines = readScript(in);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].words, (std::vector<std::string>{"first", "1"}));
    EXPECT_EQ(lines[1].number, 5);
    std::istringstream bad("ok\nop \"x\n");
    EXPECT_THROW(readScript(bad), ArgumentError);
}

TEST(Suggestions, RankByEditDistanceIgnoringCase) {
    EXPECT_EQ(editDistance("", "abc"), 3u);
    EXPECT_EQ(editDistance("kitten", "sitting"), 3u);
    EXPECT_EQ(editDistance("ABC", "abc"), 0u);
    const std::vector<std::string> names = {"deleteFile", "uploadUserFile", "validateFile"};
    EXPECT_EQ(closest("uploadUserFiel", names, 1), std::vector<std::string>{"uploadUserFile"});
    EXPECT_EQ(closest("x", names, 5).size(), 3u);
}

TEST(Masking, HidesPasswordsByNameInAnyCase) {
    for (const char* name : {"password", "adminPassword", "SIPPASSWORD", "passwordHint"})
        EXPECT_TRUE(namesPassword(name)) << name;
    for (const char* name : {"pass", "passwd", "user", ""}) EXPECT_FALSE(namesPassword(name)) << name;
    EXPECT_EQ(maskedDataText("adminPassword=x;user=u"), "adminPassword=********;user=u");
    ManageableData data;
    data.setValue("webPassword", "s");
    data.setValue("user", "u");
    EXPECT_EQ(maskedEntries(data), (KeyValues{{"webPassword", kMask}, {"user", "u"}}));
}

TEST(Options, AreReadAnywhereUpToADoubleDash) {
    const Options options = parseOptions(
        {"--json", "call", "--log-level=5", "op", "--fail", "x=why", "--fail", "y", "-3", "--", "--json"});
    EXPECT_TRUE(options.json);
    EXPECT_EQ(options.logLevel, 5);
    EXPECT_EQ(options.failures,
              (std::vector<std::pair<std::string, std::string>>{{"x", "why"}, {"y", "simulated failure"}}));
    EXPECT_EQ(options.words, (std::vector<std::string>{"call", "op", "-3", "--json"}));
    EXPECT_EQ(parseOptions({"--library", "/l.so"}).library, "/l.so");
    EXPECT_TRUE(parseOptions({"-h"}).help);
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--log-level", "16"}, {"--log-level"}, {"--fail", "=t"}, {"--jason"}, {"--library"}})
        EXPECT_THROW(parseOptions(bad), ArgumentError) << bad.front();
}

TEST(Catalogue, RowsAreUniqueAndLeaveOutOnlyTrailingArguments) {
    std::set<std::string> names;
    for (const Operation& op : operations()) {
        EXPECT_TRUE(names.insert(op.name).second) << op.name;
        EXPECT_NE(op.interfaceName, nullptr) << op.name;
        bool optionalSeen = false;
        for (const ArgShape& shape : op.args) {
            EXPECT_FALSE(optionalSeen && !shape.optional) << op.name << ": " << shape.name;
            optionalSeen = optionalSeen || shape.optional;
        }
    }
    EXPECT_EQ(findOperation("getListOfFilesOfTypeForUser")->memberName(),
              std::string("getListOfFilesOfType"));
    EXPECT_EQ(findOperation("nosuch"), nullptr);
    EXPECT_EQ(usageOf(*findOperation("getListOfFilesOfType")),
              "getListOfFilesOfType fileType:eFiletype [files:list] -> bool");
}
