#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/Paths.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
        ASSERT_EQ(diff.status, 1) << "the files differ: " << diff.err;
        const json d = json::parse(diff.out);
        switch (product.family) {
        case Family::A:
            EXPECT_EQ(shown["fields"]["edtBatteryCheckInterval"]["text"], "12");
            EXPECT_EQ(shown["fields"]["cbbxSendAck"]["code"], 0);
            EXPECT_EQ(shown["fields"]["edtAction_2_RadioId"]["text"], "12AB");
            EXPECT_EQ(shown["fields"]["edtBatteryCheckInterval"]["label"], "Battery check interval");
            EXPECT_EQ(shown["fields"]["edtAction_2_RadioId"]["label"], "Actions 2: Radio ID code");
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
          // Mistyped names and items get the closest ones; a disabled field names what enables it.
          Case{"edtBatteryChek=1", "did you mean edtBatteryCheckInterval?"},
          Case{"cbbxSendAk=#1", "did you mean cbbxSendAck"},
          Case{"cbbxSendAck=Yse", "did you mean Yes? Its items are \"No\", \"Yes\""},
          Case{"edtAction_1_RadioId=1234", "cbAction_1_Auto enables it when it is 0"},
          Case{"edtHESK_AutoReadyTime=3", "not a field of this model"}, Case{"cbbxSendAck=#7", "has no item"},
          Case{"cbbxSendAck=Perhaps", "has no item"}, Case{"cbAction_1_Auto=2", "0 or 1"},
          Case{"no-equals-sign", "NAME=VALUE"}, Case{"=5", "NAME=VALUE"},
          // A code beyond the list, even one that overflows, names the codes the list has.
          Case{"cbbxSendAck=#4294967297", "its codes are #0, #1"},
          Case{"cbbxSendAck=#2147483648", "its codes are #0, #1"}, Case{"cbbxSendAck=#-1", "its codes are"},
          // Bytes that are no UTF-8 are refused like any other key or text.
          Case{"edtBatteryCheckInterval=1\xff", "is not accepted"},
          Case{"cbbxSendAck=\xc3", "has no item"}}) {
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
        std::string errorPart;
    };
    ASSERT_EQ(::mkfifo(work.File("pipe.vorn").c_str(), 0600), 0);
    std::filesystem::create_symlink("loop.vorn", work.File("loop.vorn"));
    const Case cases[] = {
        {{"show", work.File("short.vorn")}, 3, "256 bytes"},
        {{"show", work.File("missing.vorn")}, 3, "no such configuration file"},
        {{"show", work.Path()}, 3, "cannot read " + work.Path() + ": is a directory"},
        {{"show", work.File("pipe.vorn")}, 3, "is a FIFO"},
        {{"show", work.File("loop.vorn")}, 3, "link loop"},
        {{"show", "/dev/null"}, 3, "is a device"},
        {{"set", Default("Europe", Catalogue[0]), "edtMaxLongTx=1", "-o", work.Path()},
         3,
         "cannot write " + work.Path() + ": is a directory"},
        {{"new", "BODE", "-o", work.File("missing/x.vorn")}, 3, "no such file"},
        {{"set", work.File("long.vorn"), "edtMaxLongTx=1"}, 3, "would cut it"},
        {{"show", work.File("long.vorn")}, 0, "only its first 256 bytes"},
        {{"show", work.File("notype.vorn")}, 3, ""},
        {{"set", work.File("notype.vorn"), "edtMaxLongTx=1"}, 3, "does not convert"},
        {{"new", "NOSUCHMODEL", "-o", work.File("n.vorn")}, 2, "unknown model"},
        {{"set", Default("Europe", Catalogue[0]), "edtBatteryCheckInterval=", "-o", work.File("e.vorn")},
         2,
         "edtBatteryCheckInterval: The entered value must be between 0 and 255."},
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

// A region that could not be stored is no region chosen.
TEST_F(Vornctl, RegionThatCannotBeStoredFails) {
    const std::string folder = home.File("data/ORSK/VORN Programmer v2");
    const std::string settings = folder + "/VornProg_v2.ini";
    for (const std::string kind : {"read-only", "directory", "fifo"}) {
        std::filesystem::remove_all(home.File("data"));
        std::filesystem::create_directories(kind == "directory" ? settings : folder);
        if (kind == "read-only") {
            WriteBytes(settings, "[VORN Programmer v2]\nRegion=China\n");
            std::filesystem::permissions(settings, std::filesystem::perms::owner_read);
        }
        ASSERT_TRUE(kind != "fifo" || ::mkfifo(settings.c_str(), 0600) == 0);
        const ProcessResult r = Run({"region", "USA"});
        EXPECT_EQ(r.status, 3) << kind << r.err;
        EXPECT_NE(r.err.find("the region USA was not stored: cannot write " + settings + ": "),
                  std::string::npos)
            << r.err;
    }
}

TEST_F(Vornctl, EmptyOutputPathIsAUsageError) {
    const std::string file = work.File("in.vorn");
    const std::string original = ReadBytes(Default("Europe", Catalogue[0]));
    WriteBytes(file, original);
    const std::vector<std::string> cases[] = {
        {"set", file, "edtBatteryCheckInterval=12", "-o", ""},
        {"set", file, "edtBatteryCheckInterval=12", "--output="},
        {"new", "BODE", "-o", ""},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + " " + args.back());
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_EQ(ReadBytes(file), original);
    }
    EXPECT_EQ(std::filesystem::directory_iterator(work.Path())->path(), file) << "nothing else written";
}

TEST_F(Vornctl, UnreadableFileIsPermissionDenied) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file; the file layer's tests make this case as another user";
    }
    const std::string file = work.File("secret.vorn");
    WriteBytes(file, ReadBytes(Default("Europe", Catalogue[0])));
    ASSERT_EQ(::chmod(file.c_str(), 0), 0);
    const ProcessResult r = Run({"show", file});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("cannot read " + file + ": permission denied"), std::string::npos) << r.err;
}

TEST_F(Vornctl, FileNamesThatAreNoUtf8) {
    const std::string file = work.File("bad\xff\xfe name.vorn");
    WriteBytes(file, ReadBytes(Default("Europe", Catalogue[0])));
    const ProcessResult shown = Run({"show", file, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(json::parse(shown.out)["file"], work.File("bad\uFFFD\uFFFD name.vorn")) << shown.out;
    const ProcessResult diff = Run({"diff", file, Default("Europe", Catalogue[1]), "--json"});
    ASSERT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(json::parse(diff.out)["a"], work.File("bad\uFFFD\uFFFD name.vorn"));
    const ProcessResult set = Run({"set", file, "edtBatteryCheckInterval=9"});
    EXPECT_EQ(set.status, 0) << set.err;
}

// Runs vornctl with its standard output on the given descriptor; the status and what it wrote to stderr.
ProcessResult RunWithOutput(const std::vector<std::string>& arguments, int output, const std::string& home) {
    test::TempDir dir;
    const std::string errPath = dir.File("err");
    const std::string program = VORNCTL_PATH;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment{"HOME=" + home, "XDG_DATA_HOME=" + home + "/data",
                                         "XDG_CONFIG_HOME=" + home + "/config", "LANG=C"};
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    ProcessResult result;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return result;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {}
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadBytes(errPath);
    return result;
}

TEST_F(Vornctl, OutputThatCannotBeWrittenFailsWithAMessage) {
    const std::vector<std::string> commands[] = {
        {"models"}, {"models", "--json"}, {"regions"}, {"show", Default("Europe", Catalogue[0]), "--json"}};
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0] + " " + args.back());
        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        ASSERT_GE(full, 0);
        const ProcessResult onFullDisk = RunWithOutput(args, full, home.Path());
        ::close(full);
        EXPECT_EQ(onFullDisk.status, 3);
        EXPECT_NE(onFullDisk.err.find("cannot write to standard output: No space left"), std::string::npos)
            << onFullDisk.err;

        // A pipe whose reader is gone before the first byte is written.
        int ends[2];
        ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
        ::close(ends[0]);
        const ProcessResult onClosedPipe = RunWithOutput(args, ends[1], home.Path());
        ::close(ends[1]);
        EXPECT_EQ(onClosedPipe.status, 3);
        EXPECT_NE(onClosedPipe.err.find("cannot write to standard output: Broken pipe"), std::string::npos)
            << onClosedPipe.err;
    }
}

TEST_F(Vornctl, DiffOfTwoFamiliesNamesTheMissingFields) {
    const ProcessResult r = Run({"diff", Default("Europe", Catalogue[0]), Default("Europe", Catalogue[9])});
    ASSERT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.out.find("edtBatteryCheckInterval: text \""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" -> (no such field)\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(": (no such field) -> "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(":  -> "), std::string::npos) << "no empty value";
    EXPECT_EQ(r.out.find(" -> \n"), std::string::npos) << "no empty value";
}

TEST_F(Vornctl, ControlCharactersFromDataFilesAreEscaped) {
    // An installation whose language file and band lists carry terminal control sequences.
    const std::string install = work.File("install");
    std::filesystem::copy(dataDir, install, std::filesystem::copy_options::recursive);
    std::string language = ReadBytes(install + "/English-1033.lang");
    const std::string chile = "Chile=Chile, South America";
    ASSERT_NE(language.find(chile), std::string::npos);
    language.replace(language.find(chile), chile.size(),
                     "Chile=Chile\x1b]0;owned\x07 \xc2\x9b"
                     "2J\x7f");
    WriteBytes(install + "/English-1033.lang", language);
    std::string registry = ReadBytes(install + "/Registry.ini");
    const std::string band = "1=869.2125 MHz";
    ASSERT_NE(registry.find(band), std::string::npos);
    registry.replace(registry.find(band), band.size(), "1=869.2125 MHz\x1b[31m");
    WriteBytes(install + "/Registry.ini", registry);

    const auto run = [&](const std::vector<std::string>& args) {
        return test::RunProcess(VORNCTL_PATH, args,
                                {"HOME=" + home.Path(), "XDG_DATA_HOME=" + home.File("data"),
                                 "XDG_CONFIG_HOME=" + home.File("config"), "LANG=C",
                                 "VORN_INSTALL_DIR=" + install});
    };
    struct Case {
        std::vector<std::string> args;
        std::string escaped;
    };
    const Case cases[] = {
        {{"--lang", install + "/English-1033.lang", "regions"}, "Chile\\x1B]0;owned\\x07 \\u009B2J\\x7F"},
        {{"--lang", install + "/English-1033.lang", "--region", "Europe", "bands"}, "869.2125 MHz\\x1B[31m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ProcessResult r = run(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(c.escaped), std::string::npos) << r.out;
        for (const char ch : r.out) {
            const auto byte = static_cast<unsigned char>(ch);
            EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte != 0x7F)) << "raw control byte " << int(byte);
        }
        EXPECT_EQ(r.out.find("\xc2\x9b"), std::string::npos);
    }
    // JSON escapes them by itself.
    const json regions =
        json::parse(run({"--lang", install + "/English-1033.lang", "regions", "--json"}).out);
    EXPECT_EQ(regions[2]["text"], "Chile\x1b]0;owned\x07 \xc2\x9b"
                                  "2J\x7f");
}

// An installation whose data files are damaged or hostile, and a settings file: each is reported as
// what it is, naming the file to fix, never as a conversion error of the user's configuration.
struct InstallationCase {
    const char* name;
    std::function<void(const std::string& install, const std::string& settings)> damage;
    std::vector<std::string> args; // "<default>" is the Europe BODE default, "<out>" an output file
    int status;
    std::string errorPart; // "<install>" and "<settings>" stand for those paths
};

class VornctlInstallation : public ::testing::TestWithParam<InstallationCase> {};

void EditFile(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = ReadBytes(path);
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    WriteBytes(path, text);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST_P(VornctlInstallation, ReportsTheFileAndTheReason) {
    const InstallationCase& c = GetParam();
    TempDir home;
    TempDir work;
    const std::string install = work.File("install") + "/";
    std::filesystem::copy(test::DataFolder(), install, std::filesystem::copy_options::recursive);
    const std::string settings = home.File("data/ORSK/VORN Programmer v2/VornProg_v2.ini");
    std::filesystem::create_directories(home.File("data/ORSK/VORN Programmer v2"));
    c.damage(install, settings);
    std::vector<std::string> args;
    for (const std::string& arg : c.args) {
        args.push_back(arg == "<default>" ? install + "DefaultConfig/Europe/Default_BODE.vorn"
                       : arg == "<out>"   ? work.File("out.vorn")
                                          : arg);
    }
    const ProcessResult r =
        test::RunProcess(VORNCTL_PATH, args,
                         {"HOME=" + home.Path(), "XDG_DATA_HOME=" + home.File("data"),
                          "XDG_CONFIG_HOME=" + home.File("config"), "LANG=C", "VORN_INSTALL_DIR=" + install});
    EXPECT_EQ(r.status, c.status) << r.err;
    const std::string part = Replaced(Replaced(c.errorPart, "<install>", install), "<settings>", settings);
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
    if (c.status != 0) {
        EXPECT_EQ(r.err.find("converting"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(work.File("out.vorn"))) << "nothing written";
    }
}

void RemoveRegistry(const std::string& install, const std::string&) {
    std::filesystem::remove(install + "Registry.ini");
}
void EmptyRegistry(const std::string& install, const std::string&) {
    WriteBytes(install + "Registry.ini", "; nothing\n");
}
void FolderRegistry(const std::string& install, const std::string&) {
    std::filesystem::remove(install + "Registry.ini");
    std::filesystem::create_directory(install + "Registry.ini");
}
void DropTwoLists(const std::string& install, const std::string&) {
    EditFile(install + "English-1033.lang", "[TamperStatus]", "[NoLongerTamperStatus]");
    EditFile(install + "English-1033.lang", "[PowerHighLow]", "[NoLongerPowerHighLow]");
}
void NoSections(const std::string& install, const std::string&) {
    WriteBytes(install + "English-1033.lang", "just some text\n");
}
void StoreAtlantis(const std::string&, const std::string& settings) {
    WriteBytes(settings, "[VORN Programmer v2]\nRegion=Atlantis\n");
}
// Defaults planted where "../../evil" leads from DefaultConfig/.
void PlantEvil(const std::string& install) {
    std::filesystem::create_directories(install + "../evil");
    WriteBytes(install + "../evil/Default_BODE.vorn", std::string(256, '\x24'));
}
void StoreEvil(const std::string& install, const std::string& settings) {
    PlantEvil(install);
    EditFile(install + "English-1033.lang", "Europe=Europe", "Europe=Europe\n../../evil=Evil");
    WriteBytes(settings, "[VORN Programmer v2]\nRegion=../../evil\n");
}
void OfferEvil(const std::string& install, const std::string&) {
    PlantEvil(install);
    EditFile(install + "English-1033.lang", "Europe=Europe", "Europe=Europe\n../../evil=Evil");
}
void NoUsaReceiveBands(const std::string& install, const std::string&) {
    EditFile(install + "Registry.ini", "Regions\\USA\\RxFrequencyBands", "Regions\\USA\\Gone");
}

const std::string RegistryPath = "cannot read the frequency bands from <install>Registry.ini: ";
const std::string AtlantisStored =
    "the settings file <settings> stores the region \"Atlantis\", which the language file "
    "<install>English-1033.lang does not list; give --region NAME (see vornctl regions)";

INSTANTIATE_TEST_SUITE_P(
    Cases, VornctlInstallation,
    ::testing::Values(
        InstallationCase{
            "RegistryMissingShow", RemoveRegistry, {"show", "<default>"}, 3, RegistryPath + "no such file"},
        InstallationCase{"RegistryMissingBands", RemoveRegistry, {"bands"}, 3, RegistryPath + "no such file"},
        InstallationCase{"RegistryMissingSet",
                         RemoveRegistry,
                         {"set", "<default>", "edtMaxLongTx=1", "-o", "<out>"},
                         3,
                         RegistryPath + "no such file"},
        // Commands that do not need the bands still work.
        InstallationCase{"RegistryMissingNew", RemoveRegistry, {"new", "BODE", "-o", "<out>"}, 0, ""},
        InstallationCase{"RegistryMissingRegions", RemoveRegistry, {"regions"}, 0, ""},
        InstallationCase{"RegistryEmpty",
                         EmptyRegistry,
                         {"show", "<default>"},
                         3,
                         RegistryPath + "the file holds no keys"},
        InstallationCase{"RegistryFolder",
                         FolderRegistry,
                         {"diff", "<default>", "<default>"},
                         3,
                         RegistryPath + "is a directory"},
        InstallationCase{"ListsMissing",
                         DropTwoLists,
                         {"show", "<default>"},
                         3,
                         "the language file <install>English-1033.lang lacks the list sections TamperStatus, "
                         "PowerHighLow, so configurations cannot be shown with it"},
        InstallationCase{"ListsMissingRegions", DropTwoLists, {"regions"}, 0, ""},
        InstallationCase{"LanguageWithoutSections",
                         NoSections,
                         {"regions"},
                         3,
                         "the language file <install>English-1033.lang holds no sections"},
        InstallationCase{"StoredRegionUnknownShow", StoreAtlantis, {"show", "<default>"}, 2, AtlantisStored},
        InstallationCase{
            "StoredRegionUnknownNew", StoreAtlantis, {"new", "BODE", "-o", "<out>"}, 2, AtlantisStored},
        // The region list is how the operator finds a name to give: it is shown, with a note.
        InstallationCase{
            "StoredRegionUnknownRegions", StoreAtlantis, {"regions"}, 0, "note: " + AtlantisStored},
        InstallationCase{"StoredRegionUnknownOverridden", StoreAtlantis, {"--region", "USA", "bands"}, 0, ""},
        InstallationCase{"StoredRegionLeavesItsFolder",
                         StoreEvil,
                         {"new", "BODE", "-o", "<out>"},
                         2,
                         "stores the region \"../../evil\", whose name holds a path separator (/ or \\)"},
        InstallationCase{
            "OfferedRegionLeavesItsFolder",
            OfferEvil,
            {"--region", "Evil", "new", "BODE", "-o", "<out>"},
            2,
            "the region \"../../evil\" of the language file <install>English-1033.lang cannot be "
            "used: its name holds a path separator"},
        InstallationCase{"RegionWithoutBandKey",
                         NoUsaReceiveBands,
                         {"--region", "USA", "bands"},
                         0,
                         "note: <install>Registry.ini holds no receive bands for region USA"}),
    test::CaseName{});

TEST_F(Vornctl, SheetWritesTheConfigurationAsHtmlWithTheModelsPicture) {
    const std::string bode = work.File("bode.vorn");
    ASSERT_EQ(Run({"new", "BODE", "-o", bode}).status, 0);
    const ProcessResult r = Run({"sheet", bode, "-o", work.File("bode.html"), "--lang", "Deutsch-1031.lang"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string html = ReadBytes(work.File("bode.html"));
    EXPECT_NE(html.find("<title>Konfigurationsblatt - BODE</title>"), std::string::npos);
    // The pictures are drawn by the window's build; a build without Qt has none and leaves the
    // picture out.
    const bool drawn = !ReadBytes(dataDir + "pictures/BODE.png").empty();
    EXPECT_EQ(html.find("<img src=\"data:image/png;base64,iVBORw0KGgo") != std::string::npos, drawn);
    EXPECT_NE(html.find("<td>bode.vorn</td>"), std::string::npos);
    WriteBytes(work.File("short.vorn"), std::string(10, '\0'));
    EXPECT_EQ(Run({"sheet", work.File("short.vorn")}).status, 3);
}

// The shell completion asks vornctl for its words: the commands without the hidden ones, a
// command's options, the regions of the language.
TEST_F(Vornctl, CompletionWordsComeFromTheProgram) {
    const ProcessResult commands = Run({"complete", "commands"});
    EXPECT_EQ(commands.status, 0);
    EXPECT_NE(commands.out.find("show\nset\ndiff\nsheet\n"), std::string::npos) << commands.out;
    EXPECT_EQ(commands.out.find("complete"), std::string::npos);
    EXPECT_NE(Run({"complete", "options", "write"}).out.find("--change-id\n"), std::string::npos);
    EXPECT_NE(Run({"complete", "regions"}).out.find("Europe\nChina\n"), std::string::npos);
    EXPECT_EQ(Run({"--help"}).out.find("complete"), std::string::npos);
}

} // namespace
} // namespace vorn
