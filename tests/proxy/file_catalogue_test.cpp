// The file catalogue: the level-4 record every path lookup leaves. How lists
// of file names travel is the conformance test's and the fault sweep's, their
// text form the framework's.
#include <gtest/gtest.h>

#include "ProxyRig.h"

using namespace testing_support;

namespace {
using Ifc = LocalMgmtIfc;
}  // namespace

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
