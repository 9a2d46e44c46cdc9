// The file catalogue: how a list of file names travels out and back, and the
// level-4 record every path lookup leaves.
#include <gtest/gtest.h>

#include <list>
#include <optional>

#include "ProxyRig.h"

using namespace testing_support;

namespace {
using Ifc = LocalMgmtIfc;
using Names = std::list<std::string>;
}  // namespace

TEST(FileCatalogue, ListsSayEmptyBothWaysAndOnlyAnAnswerReplacesThem) {
    const struct {
        Names given;
        std::string sent;
        std::optional<std::string> answer;  // "FileNames" in the reply
        bool answered;
        Names after;
    } cases[] = {
        {{}, "empty", "empty", true, {}},
        {{"x", "y"}, "[x,y]", "empty", true, {}},
        {{}, "empty", "[empty,]", true, {"empty", ""}},
        {{"x"}, "[x]", std::nullopt, false, {"x"}},
    };
    for (bool forUser : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.sent + " / " + c.answer.value_or("(no answer)") + (forUser ? " for user" : ""));
            ProxyRig rig;
            if (c.answer) rig.channel.answerOthers().inout("FileNames", *c.answer);
            Names files = c.given;
            EXPECT_EQ(forUser ? rig.proxy.getListOfFilesOfType(Ifc::FILETYPE_TONE, &files, Ifc::USER_DEFAULT)
                              : rig.proxy.getListOfFilesOfType(Ifc::FILETYPE_TONE, &files),
                      c.answered);
            EXPECT_EQ(files, c.after);
            EXPECT_EQ(wireParams(rig.channel.only().request).at(1), "S:FileNames=" + c.sent);
        }
    }
}

TEST(FileCatalogue, PathLookupsRecordTypePathUserAndOutcomeEvenAfterAFailure) {
    // Names with conversions in them: a name used as a format would show.
    const std::string served = "/p/%s%n.wav", own = "a%x.wav", ownForUser = "b%d.wav";
    for (bool answered : {true, false}) {
        SCOPED_TRACE(answered ? "answered" : "failed");
        ProxyRig rig;
        if (answered)
            rig.channel.answerOthers().out("result", true).inout("filename", served);
        else
            rig.channel.failWith("link lost");
        LogCapture log({4});
        std::string name = own, nameForUser = ownForUser;
        EXPECT_EQ(rig.proxy.getFilePathFromType(Ifc::FILETYPE_RINGER, name), answered);
        EXPECT_EQ(rig.proxy.getFilePathFromType(Ifc::FILETYPE_HELP, nameForUser, Ifc::USER_VISITOR), answered);
        // The path the service gave, or the caller's own when it gave none.
        const std::string path = answered ? served : own, pathForUser = answered ? served : ownForUser;
        const std::string found = answered ? "[true]" : "[false]";
        EXPECT_EQ(levelsAndMessages(log),
                  (std::vector<std::string>{"4 getFilePathFromType[11][" + path + "]" + found,
                                            "4 getFilePathFromType for user[13][" + pathForUser + "][2]" + found}));
    }
}
