#include "model/Catalogue.h"
#include "support/Paths.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using nlohmann::json;
using test::ProcessResult;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class Vornctl : public ::testing::Test {
protected:
    TempDir home; // no settings file: English and the first region
    TempDir work;
    std::string dataDir = test::DataFolder();

    ProcessResult Run(const std::vector<std::string>& arguments) {
        return test::RunProcess(VORNCTL_PATH, arguments,
                                {"HOME=" + home.Path(), "XDG_DATA_HOME=" + home.File("data"),
                                 "XDG_CONFIG_HOME=" + home.File("config"), "LANG=C",
                                 "LC_ALL=", "LC_NUMERIC="});
    }
    std::string Default(const std::string& region, const ProductInfo& product) const {
        return dataDir + "DefaultConfig/" + region + "/" + std::string(product.defaultFileName);
    }
    json ShowJson(const std::string& file, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = extra;
        args.insert(args.end(), {"show", file, "--json"});
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return json::parse(r.out);
    }
};

TEST_F(Vornctl, ShowsEveryShippedDefaultInBothLanguages) {
    for (const char* region : {"Europe", "China", "Chile", "USA", "Australia"}) {
        for (const ProductInfo& product : Catalogue) {
            for (const char* language : {"English-1033.lang", "Deutsch-1031.lang"}) {
                SCOPED_TRACE(std::string(region) + " " + std::string(product.model) + " " + language);
                const json shown =
                    ShowJson(Default(region, product), {"--lang", language, "--region", region});
                EXPECT_EQ(shown["result"], -1) << shown["message"];
                EXPECT_EQ(shown["family"], std::string(FamilyName(product.family)));
                EXPECT_EQ(shown["model"], std::string(product.model));
                EXPECT_EQ(shown["productType"], product.productType);
                EXPECT_TRUE(shown["messages"].empty()) << shown["messages"].dump();
                EXPECT_GT(shown["fields"].size(), 10u);
            }
        }
    }
}

TEST_F(Vornctl, JsonFieldShapes) {
    const json shown = ShowJson(Default("Europe", Catalogue[0]));
    const json& fields = shown["fields"];
    EXPECT_EQ(fields["edtBatteryCheckInterval"]["kind"], "text");
    EXPECT_TRUE(fields["edtBatteryCheckInterval"]["text"].is_string());
    EXPECT_EQ(fields["edtSerialNumber"]["enabled"], false);
    EXPECT_EQ(fields["cbbxSendAck"]["kind"], "choice");
    EXPECT_EQ(fields["cbbxSendAck"]["code"], 1);
    EXPECT_GE(fields["cbbxSendAck"]["index"], 0);
    EXPECT_EQ(fields["cbAction_1_Auto"]["kind"], "check");
    EXPECT_TRUE(fields["cbAction_1_Auto"]["checked"].is_boolean());
    EXPECT_FALSE(fields.contains("edtHESK_RadioIdCode")) << "only the fields of the file's family";
}

TEST_F(Vornctl, SetShowDiffRoundTripOnEveryModel) {
    for (const ProductInfo& product : Catalogue) {
        SCOPED_TRACE(product.model);
        const std::string out = work.File(std::string(product.model) + ".vorn");
        std::string field;
        std::vector<std::string> args{"set", Default("Europe", product)};
        switch (product.family) {
        case Family::A:
            args.insert(args.end(), {"edtBatteryCheckInterval=12", "cbbxSendAck=#0", "cbAction_2_Auto=0",
                                     "edtAction_2_RadioId=12ab", "medtPulseActivationTime=12.3"});
            break;
        case Family::B:
            args.insert(args.end(), {"edtHESK_BatteryCheckInterval=12", "cbbxHESK_IgnoreAck=Yes"});
            break;
        default: args.insert(args.end(), {"edtGOFA_RfidPower=55", "cbbxGOFA_Zone=#10"}); break;
        }
        args.insert(args.end(), {"-o", out});
        const ProcessResult set = Run(args);
        ASSERT_EQ(set.status, 0) << set.err;
        EXPECT_EQ(ReadBytes(out).size(), 256u);
        const json shown = ShowJson(out);
        const ProcessResult diff = Run({"diff", Default("Europe", product), out, "--json"});
        ASSERT_EQ(diff.status, 0) << diff.err;
        const json d = json::parse(diff.out);
        switch (product.family) {
        case Family::A:
            EXPECT_EQ(shown["fields"]["edtBatteryCheckInterval"]["text"], "12");
            EXPECT_EQ(shown["fields"]["cbbxSendAck"]["code"], 0);
            EXPECT_EQ(shown["fields"]["edtAction_2_RadioId"]["text"], "12AB");
            EXPECT_EQ(shown["fields"]["medtPulseActivationTime"]["text"], "  12.3");
            // The five fields set, and user event 2, whose action description now names the code.
            EXPECT_EQ(d["fields"].size(), 6u) << d["fields"].dump();
            EXPECT_TRUE(d["fields"].contains("cbbxUserEvent_2_ActionReference"));
            EXPECT_EQ(d["bytes"].size(), 5u) << d["bytes"].dump(); // 41, 48, 50, 66, 67
            break;
        case Family::B:
            EXPECT_EQ(shown["fields"]["cbbxHESK_IgnoreAck"]["code"], 1);
            EXPECT_EQ(d["fields"].size(), 2u) << d["fields"].dump();
            break;
        default:
            EXPECT_EQ(shown["fields"]["edtGOFA_RfidPower"]["text"], "55");
            EXPECT_EQ(shown["fields"]["cbbxGOFA_Zone"]["text"], "A");
            EXPECT_EQ(d["bytes"].size(), 2u) << d["bytes"].dump();
            break;
        }
    }
    const ProcessResult same =
        Run({"diff", Default("Europe", Catalogue[0]), Default("Europe", Catalogue[0])});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "no differences\n");
}

TEST_F(Vornctl, RefusedAssignmentsWriteNothing) {
    const std::string source = Default("Europe", Catalogue[0]);
    const std::string file = work.File("config.vorn");
    WriteBytes(file, ReadBytes(source));
    struct Case {
        const char* assignment;
        const char* errorPart;
    };
    for (const Case& c :
         {Case{"edtBatteryCheckInterval=256", "between 0 and 255"},
          Case{"edtBatteryCheckInterval=1x", "\"x\" is not accepted"},
          Case{"edtMaxShortTx=123", "at most 2 characters"},
          Case{"edtUnitRadioIdCode=FFFF", "between 0001 and FFFE"}, Case{"edtSerialNumber=5", "disabled"},
          Case{"edtNoSuchField=1", "unknown field"},
          Case{"edtHESK_AutoReadyTime=3", "not a field of this model"}, Case{"cbbxSendAck=#7", "has no item"},
          Case{"cbbxSendAck=Perhaps", "has no item"}, Case{"cbAction_1_Auto=2", "0 or 1"},
          Case{"no-equals-sign", "NAME=VALUE"}, Case{"=5", "NAME=VALUE"}}) {
        SCOPED_TRACE(c.assignment);
        const ProcessResult r = Run({"set", file, "edtBatteryCheckInterval=7", c.assignment});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.errorPart), std::string::npos) << r.err;
        EXPECT_EQ(ReadBytes(file), ReadBytes(source));
    }
    const ProcessResult r =
        Run({"set", file, "edtMaxShortTx=15", "edtMaxLongTx=15", "-o", work.File("x.vorn")});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(Vornctl, BadFilesAndUsage) {
    WriteBytes(work.File("short.vorn"), std::string(100, '\0'));
    std::string longer = ReadBytes(Default("Europe", Catalogue[0]));
    longer += std::string(44, 'x');
    WriteBytes(work.File("long.vorn"), longer);
    WriteBytes(work.File("notype.vorn"), std::string(256, '\0'));
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* errorPart;
    };
    const Case cases[] = {
        {{"show", work.File("short.vorn")}, 3, "256 bytes"},
        {{"show", work.File("missing.vorn")}, 3, "no such configuration file"},
        {{"show", work.Path()}, 3, "no such configuration file"},
        {{"set", work.File("long.vorn"), "edtMaxLongTx=1"}, 3, "would cut it"},
        {{"show", work.File("long.vorn")}, 0, "only its first 256 bytes"},
        {{"show", work.File("notype.vorn")}, 3, ""},
        {{"set", work.File("notype.vorn"), "edtMaxLongTx=1"}, 3, "does not convert"},
        {{"new", "NOSUCHMODEL", "-o", work.File("n.vorn")}, 2, "unknown model"},
        {{"--region", "Atlantis", "bands"}, 2, "unknown region"},
        {{"--lang", "Klingon-9999.lang", "regions"}, 2, "language file not found"},
        {{}, 1, ""},
        {{"show"}, 1, ""},
        {{"frobnicate"}, 1, ""},
    };
    for (const Case& c : cases) {
        const ProcessResult r = Run(c.args);
        std::string joined;
        for (const auto& a : c.args) {
            joined += a + " ";
        }
        EXPECT_EQ(r.status, c.status) << joined << r.err;
        EXPECT_NE(r.err.find(c.errorPart), std::string::npos) << joined << r.err;
    }
    const json noType = json::parse(Run({"show", work.File("notype.vorn"), "--json"}).out);
    EXPECT_EQ(noType["result"], -2);
    EXPECT_TRUE(noType["family"].is_null());
    EXPECT_NE(noType["message"].get<std::string>().find('0'), std::string::npos);
    EXPECT_EQ(Run({"--help"}).status, 0);
    EXPECT_NE(Run({"--version"}).out.find("vornctl"), std::string::npos);
}

TEST_F(Vornctl, NewModelsRegionsBands) {
    const ProcessResult created = Run({"--region", "USA", "new", "dadidu", "-o", work.File("d.vorn")});
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(ReadBytes(work.File("d.vorn")), ReadBytes(Default("USA", Catalogue[11])));
    EXPECT_EQ(Run({"new", "0x2A", "-o", work.File("h.vorn")}).status, 0);
    EXPECT_EQ(ReadBytes(work.File("h.vorn")), ReadBytes(Default("Europe", Catalogue[9])));

    const json models = json::parse(Run({"models", "--json"}).out);
    EXPECT_EQ(models.size(), 12u);
    const json regions = json::parse(Run({"regions", "--json"}).out);
    ASSERT_EQ(regions.size(), 5u);
    EXPECT_EQ(regions[2]["text"], "Chile, South America");
    EXPECT_EQ(regions[0]["current"], true);
    const json bands = json::parse(Run({"--region", "Chile, South America", "bands", "--json"}).out);
    EXPECT_EQ(bands["region"], "Chile");
    EXPECT_FALSE(bands["receive"].empty());
    EXPECT_FALSE(bands["transmit"].empty());
}

TEST_F(Vornctl, SettingsChooseLanguageAndRegion) {
    WriteBytes(home.File("data"), "");
    std::filesystem::remove(home.File("data"));
    std::filesystem::create_directories(home.File("data/ORSK/VORN Programmer v2"));
    WriteBytes(home.File("data/ORSK/VORN Programmer v2/VornProg_v2.ini"),
               "[VORN Programmer v2]\nLanguage=Deutsch-1031.lang\nRegion=China\n");
    const json regions = json::parse(Run({"regions", "--json"}).out);
    EXPECT_EQ(regions[1]["current"], true);
    const json bands = json::parse(Run({"bands", "--json"}).out);
    EXPECT_EQ(bands["region"], "China");
}

} // namespace
} // namespace vorn
