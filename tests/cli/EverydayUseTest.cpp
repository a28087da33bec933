// vornctl as a new user meets it: options in any place, suggestions, output to a pipe, the region
// command, show's words, a help example for every command.
#include "support/Paths.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <filesystem>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using nlohmann::json;
using test::ProcessResult;
using test::TempDir;

class EverydayUse : public ::testing::Test {
protected:
    TempDir home;
    TempDir work;
    const std::string tarv = test::DataFolder() + "DefaultConfig/Europe/Default_TARV.vorn";

    ProcessResult Run(const std::vector<std::string>& arguments) {
        return test::RunProcess(VORNCTL_PATH, arguments,
                                {"HOME=" + home.Path(), "XDG_DATA_HOME=" + home.File("data"),
                                 "XDG_CONFIG_HOME=" + home.File("config"), "LANG=C",
                                 "LC_ALL=", "LC_NUMERIC=", "VORN_KDU_PORT=", "VORN_DEBUG=0"});
    }
};

TEST_F(EverydayUse, GlobalOptionsMayFollowTheCommand) {
    const ProcessResult before = Run({"--region", "USA", "bands", "--json"});
    const ProcessResult after = Run({"bands", "--json", "--region", "USA"});
    ASSERT_EQ(after.status, 0) << after.err;
    EXPECT_EQ(before.out, after.out);
    EXPECT_EQ(json::parse(after.out)["region"], "USA");
    const ProcessResult german = Run({"show", tarv, "--lang", "Deutsch-1031.lang", "--json"});
    ASSERT_EQ(german.status, 0) << german.err;
    EXPECT_EQ(json::parse(german.out)["fields"]["cbbxSendAck"]["text"], "Ja");
    EXPECT_EQ(Run({"unit-info", "--simulate"}).status, 0);
}

TEST_F(EverydayUse, AMistypedCommandGetsSuggestions) {
    struct Case {
        const char* typed;
        const char* says;
    };
    for (const Case& c :
         {Case{"shwo", "did you mean show?"}, Case{"wirte", "did you mean write"},
          Case{"backup", "did you mean backups"}, Case{"zzzzzz", "unknown command: zzzzzz (see"}}) {
        const ProcessResult r = Run({"--region", "Europe", c.typed, "x"});
        EXPECT_EQ(r.status, 1) << c.typed;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    // A model is named in device commands and in `new` alike.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--simulate", "read", "--model", "TRAV", "--serial", "1", "-o", "-"},
          std::vector<std::string>{"new", "TRAV", "-o", "-"}}) {
        const ProcessResult model = Run(args);
        EXPECT_EQ(model.status, 2) << args[1];
        EXPECT_NE(model.err.find("did you mean TARV"), std::string::npos) << model.err;
        EXPECT_TRUE(model.out.empty()) << args[1];
    }
}

TEST_F(EverydayUse, AnImageToStandardOutput) {
    const std::string original = test::ReadBytes(tarv);
    ProcessResult r = Run({"new", "TARV", "-o", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, original);
    r = Run({"set", tarv, "edtBatteryCheckInterval=33", "-o", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.size(), 256u);
    EXPECT_EQ(static_cast<unsigned char>(r.out[41]), 33);
    EXPECT_EQ(test::ReadBytes(tarv), original) << "the file itself is left alone";
    r = Run({"--simulate", "read", "--model", "TARV", "--serial", "1001", "-o", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.size(), 256u);
}

TEST_F(EverydayUse, ShowSaysWhatTheResultMeansAndWhichRegionHasTheBand) {
    ProcessResult r = Run({"show", tarv});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("result: the file converts into the editor without errors\n"), std::string::npos);
    EXPECT_EQ(r.out.find("-1"), std::string::npos) << r.out;
    // A European file in region USA: the band is the cause, and the way out is named.
    r = Run({"--region", "USA", "show", tarv});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.out.find("result: conversion error at byte 55: "), std::string::npos) << r.out;
    EXPECT_NE(
        r.err.find("the file's band 1 is not a receive band of region USA; the bands of region Europe hold "
                   "it: add --region Europe"),
        std::string::npos)
        << r.err;
    r = Run({"--region", "USA", "show", tarv, "--json"});
    EXPECT_EQ(json::parse(r.out)["result"], 55) << "the JSON keeps its fields";
    r = Run({"--region", "USA", "set", tarv, "edtBatteryCheckInterval=3", "-o", work.File("x.vorn")});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("vornctl region Europe"), std::string::npos) << r.err;
}

TEST_F(EverydayUse, TheRegionCommandChoosesAsTheWindowDoes) {
    ProcessResult r = Run({"region", "USA"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("region: USA")) << r.out;
    r = Run({"regions", "--json"});
    bool current = false;
    for (const json& region : json::parse(r.out)) {
        current = current || (region["name"] == "USA" && region["current"] == true);
    }
    EXPECT_TRUE(current) << r.out;
    // The region's defaults are copied where File > New takes them, and a later change works too.
    EXPECT_TRUE(std::filesystem::exists(home.File("Documents/ORSK/VORN v2 Config/Default_TARV.vorn")));
    r = Run({"region", "Europe"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(Run({"bands", "--json"}).out)["region"], "Europe");
    r = Run({"region", "Eurpoe"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("did you mean Europe"), std::string::npos) << r.err;
}

TEST_F(EverydayUse, EveryCommandsHelpHasAnExample) {
    for (const char* command : {"show", "set", "diff", "new", "models", "regions", "bands", "region", "read",
                                "write", "capture", "change-id", "unit-info", "backups", "trace"}) {
        const ProcessResult r = Run({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_NE(r.out.find("Example"), std::string::npos) << command << ":\n" << r.out;
    }
}

TEST_F(EverydayUse, ModelsJsonHasNoControlNames) {
    const ProcessResult r = Run({"models", "--json"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("bbtn"), std::string::npos);
    const json models = json::parse(r.out);
    EXPECT_EQ(models[0]["model"], "TARV");
    EXPECT_EQ(models[11]["devicePagePosition"], 12);
}

} // namespace
} // namespace vorn
