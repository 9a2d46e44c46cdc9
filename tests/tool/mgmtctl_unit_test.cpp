// The pieces of mgmtctl that turn text into values and read its command line,
// in the cases the end-to-end tests (mgmtctl_test.py) cannot reach or do not try.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "Agents.h"
#include "Arguments.h"
#include "BadInput.h"
#include "CommandLine.h"
#include "Script.h"

using namespace mgmtctl;

// The value of the operation's argument `at` when its arguments are written as `texts`.
ArgumentValue parsed(const char* operation, std::vector<std::string> texts, std::size_t at) {
    Agents agents;
    return parseArguments(*mgmtdesc::findOperation(operation), texts, agents).at(at);
}

TEST(Arguments, NumbersAreWholeTextsInRange) {
    const std::pair<const char*, int> accepted[] = {
        {"-7", -7}, {"+7", 7}, {"0x1f", 31}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, expected] : accepted)
        EXPECT_EQ(std::get<int>(parsed("raiseGenericTrap", {"TRAP_DEST_ALL", text}, 1)), expected) << text;
    for (const char* text : {"2147483648", "", "-", "1 ", "1.5", "--1", "0x"})
        EXPECT_THROW(parsed("raiseGenericTrap", {"TRAP_DEST_ALL", text}, 1), ArgumentError) << text;
    EXPECT_EQ(std::get<unsigned int>(parsed("setPhoneBusyStatus", {"4294967295"}, 0)), 4294967295u);
    for (const char* text : {"4294967296", "-1", "-0"})
        EXPECT_THROW(parsed("setPhoneBusyStatus", {text}, 0), ArgumentError) << text;
}

TEST(Arguments, BoolsListsAndObjects) {
    const auto flag = [](const char* text) { return std::get<bool>(parsed("startDownload", {"1", text, "0"}, 1)); };
    for (const char* yes : {"TRUE", "yes", "on", "1"}) EXPECT_TRUE(flag(yes)) << yes;
    for (const char* no : {"No", "off", "0"}) EXPECT_FALSE(flag(no)) << no;
    for (const char* bad : {"", "2", "truthy", "y"}) EXPECT_THROW(flag(bad), ArgumentError) << bad;

    using L = std::list<std::string>;
    const auto list = [](const char* text) {
        return std::get<L>(parsed("observeManageableDataList", {text, "none"}, 0));
    };
    EXPECT_EQ(list(""), L{});
    EXPECT_EQ(list(",,"), (L{"", "", ""}));
    EXPECT_EQ(list(R"(a\,b,c\\)"), (L{"a,b", "c\\"}));

    const auto data = [](const char* text) { return std::get<ManageableData>(parsed("setData", {text}, 0)).values(); };
    EXPECT_EQ(data(""), KeyValues{});
    EXPECT_EQ(data("url=http://h/?x=1;;a=2;b="), (KeyValues{{"url", "http://h/?x=1"}, {"a", "2"}, {"b", ""}}));
    EXPECT_EQ(data(R"(k\=1=v\;2;k=last)"), (KeyValues{{"k=1", "v;2"}, {"k", "last"}}));  // an entry without '=': BadInput
}

TEST(Arguments, EnumerationsTakeEitherNameAndEveryNumberTheTypeCanHold) {
    // A file type by either of its names: mgmtctl_test.py's (Calls).
    const auto fileType = [](const char* text) { return std::get<int>(parsed("uploadUserFile", {text, "x"}, 0)); };
    EXPECT_EQ(fileType("8"), 8);  // unnamed, still forwarded
    EXPECT_EQ(std::get<int>(parsed("changeCurrentUser", {"baseUser"}, 0)), 0);
    EXPECT_EQ(std::get<int>(parsed("changeCurrentUser", {"15"}, 0)), 15);
    for (const char* bad : {"Ringer", "-1", "", "ringer ", "32"}) EXPECT_THROW(fileType(bad), ArgumentError) << bad;
}

TEST(Arguments, OnlyTrailingArgumentsTheOperationWritesBackMayBeLeftOut) {
    const struct {
        const char* operation;
        std::vector<bool> leftOut;
    } cases[] = {
        {"getFilePathFromType", {false, true}},
        {"getFilePathFromTypeForUser", {false, false, false}},  // filename is written back, but userType follows
        {"getIDAndDisplayName", {true, true}},
        {"getSchema", {false, true}},
        {"checkDataEditable", {false, false}},
    };
    for (const auto& c : cases) {
        const mgmtdesc::Operation& operation = *mgmtdesc::findOperation(c.operation);
        std::vector<bool> leftOut;
        for (std::size_t i = 0; i < operation.arguments.size(); ++i) leftOut.push_back(mayBeLeftOut(operation, i));
        EXPECT_EQ(leftOut, c.leftOut) << c.operation;
    }
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

// The hints and articles themselves are mgmtctl_test.py's (BadInput).
TEST(BadInput, RankByEditDistanceIgnoringCase) {
    EXPECT_EQ(closest("SITTING", {"sitting", "kitten", "bitten"}, 2), "; closest: sitting kitten");
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

TEST(CommandLine, OptionsGoAnywhereAndALoneDoubleDashEndsThem) {
    CommandLine line;
    Options o =
        line.parse({"call", "--log-level=5", "op", "--fail", "x=why", "--fail", "y", "-3", "--", "--json", "--"});
    EXPECT_EQ((std::vector<std::string>{o.command, o.operation}), (std::vector<std::string>{"call", "op"}));
    EXPECT_EQ(o.arguments, (std::vector<std::string>{"-3", "--json", "--"}));
    EXPECT_FALSE(o.json);
    EXPECT_EQ(o.logLevel, 5);
    EXPECT_EQ(o.failures, (std::vector<std::string>{"x=why", "y"}));
    o = line.parse({"call", "--", "op", "-x"});
    EXPECT_EQ(o.operation, "op");
    EXPECT_EQ(o.arguments, std::vector<std::string>{"-x"});
    o = line.parse({"--bus", "run", "-", "--keep-going"});
    EXPECT_EQ((std::vector<std::string>{o.command, o.file, *o.bus}), (std::vector<std::string>{"run", "-", ""}));
    EXPECT_TRUE(o.keepGoing);  // no command at all is the tour: mgmtctl_test.py's (Demo)
}

// An option's value that is another option, and a flag's bad value, are
// mgmtctl_test.py's (Options).
TEST(CommandLine, RefusesWhatDoesNotFitWithTheReason) {
    const struct {
        std::vector<std::string> words;
        const char* reason;
    } cases[] = {
        {{"--log-level", "16"}, "not in range 0 to 15"},
        {{"--log-level"}, "--log-level"},
        {{"--fail", "=t"}, "remote method name"},
        {{"list", "extra"}, "usage: mgmtctl list"},
        {{"describe"}, "usage: mgmtctl describe OPERATION"},
        {{"describe", "--", "a", "b"}, "usage: mgmtctl describe OPERATION"},
    };
    for (const auto& c : cases) {
        CommandLine line;
        try {
            line.parse(c.words);
            ADD_FAILURE() << c.words.front() << " was taken";
        } catch (const ArgumentError& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

// Completing an option, a command after help and --fail's value: mgmtctl_test.py's (Help).
TEST(Completion, SkipsOptionsAndTheirValuesToFindThePosition) {
    using W = std::vector<std::string>;
    const CommandLine line;
    const auto offers = [&line](const W& words, const std::string& word) {
        const W candidates = completions(line.app(), words);
        return std::find(candidates.begin(), candidates.end(), word) != candidates.end();
    };
    EXPECT_TRUE(offers({"--log-level", "5", "--fail", "x", ""}, "call"));
    EXPECT_TRUE(offers({"--log-level", ""}, "15"));
    EXPECT_TRUE(offers({"call", "--json", "up"}, "uploadUserFile"));
    EXPECT_TRUE(offers({"--library", "lib.so", "call", "uploadUserFile", ""}, "ringer"));
    EXPECT_TRUE(offers({"call", "--json=false", "uploadUserFile", ""}, "FILETYPE_RINGER"));
    EXPECT_TRUE(completions(line.app(), {"call", "uploadUserFile", "ringer", ""}).empty());  // a file name: the shell's
    EXPECT_TRUE(completions(line.app(), {"run", ""}).empty());
    EXPECT_TRUE(offers({"call", "--", "-x"}, "uploadUserFile"));
}
