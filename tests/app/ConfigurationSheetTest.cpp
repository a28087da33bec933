#include "app/ConfigurationSheet.h"

#include "ProgramHarness.h"
#include "lang/FieldCaption.h"
#include "model/EditorLayout.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ProgramHarness;

// The window's renderer as the flows see it: what it was given, and whether it writes.
class RecordingSheetView : public SheetView {
public:
    std::string PictureUri(std::uint8_t productType) override {
        return "device-" + std::to_string(productType);
    }
    bool WritePdf(const SheetDocument& sheet, const std::string& path) override {
        written.push_back(path);
        last = sheet;
        return writes;
    }
    PrintOutcome Print(const SheetDocument& sheet) override {
        last = sheet;
        return printOutcome;
    }
    std::vector<std::string> written;
    SheetDocument last;
    bool writes = true;
    PrintOutcome printOutcome = PrintOutcome::Printed;
};

std::string Html(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c == '&'   ? "&amp;"
               : c == '<' ? "&lt;"
               : c == '>' ? "&gt;"
               : c == '"' ? "&quot;"
                          : std::string(1, c);
    }
    return out;
}

struct SheetCase {
    int button;
    const char* locale;
};

class ConfigurationSheetTest : public ::testing::TestWithParam<SheetCase> {};

// Every row of every page of the family is on the sheet with its label and each field's value, in the
// language of the window; the identity block names model, file and date.
TEST_P(ConfigurationSheetTest, HoldsEveryFieldsLabelAndValue) {
    ProgramHarness h;
    h.environment["LANG"] = GetParam().locale;
    RecordingSheetView renderer;
    h.sheet = &renderer;
    ProgramController& p = h.StartWithModel(GetParam().button);
    const std::string html = p.ConfigurationSheet().html;
    const ListIni& texts = p.Texts();
    const FieldModel& fields = p.GetEditor().Fields();
    const std::uint8_t type = p.CurrentConfig().Image[ProductTypeAddress];

    EXPECT_NE(html.find(Html(texts.Text("FILE", "TEXT-CONFIGURATION_SHEET"))), std::string::npos);
    EXPECT_NE(html.find("<img src=\"device-" + std::to_string(type) + "\""), std::string::npos);
    EXPECT_NE(html.find(Html(texts.Text("COMMON", "FORM_CAPTION-DEFAULT"))), std::string::npos);
    // The sheet follows the layout: each group's caption, then its rows, each row's label and then
    // its values in order on one line of the table.
    std::size_t fieldsSeen = 0;
    std::size_t at = 0;
    for (const std::string_view page : PagesOfFamily(FamilyOf(type))) {
        for (const LayoutGroup* group : GroupsOfPage(page)) {
            at = html.find(Html(ControlCaption(texts, group->group)), at);
            ASSERT_NE(at, std::string::npos) << group->group;
            for (const std::string& header : group->headers) {
                EXPECT_NE(html.find(Html(ControlCaption(texts, header)), at), std::string::npos) << header;
            }
            for (const LayoutRow& row : group->rows) {
                const bool shown =
                    std::any_of(row.fields.begin(), row.fields.end(),
                                [&](const std::string& f) { return !f.empty() && fields.Get(f).Visible(); });
                const std::string label = ">" + Html(ControlCaption(texts, row.label, row.caption)) + "</td>";
                const std::size_t found = html.find(label, at);
                if (!shown) {
                    // A hidden row (the service fields) is left out.
                    EXPECT_TRUE(found == std::string::npos || found > html.find("</table>", at)) << row.label;
                    continue;
                }
                ASSERT_NE(found, std::string::npos) << row.label;
                at = found;
                const std::size_t end = html.find("</tr>", at);
                for (const std::string& name : row.fields) {
                    if (name.empty()) {
                        continue;
                    }
                    const Field& field = fields.Get(name);
                    std::string value =
                        field.Kind() == FieldKind::Check
                            ? (field.Checked() ? "\u2611 " : "\u2610 ") + ControlCaption(texts, name)
                            : field.Text();
                    value.erase(0, value.find_first_not_of(' '));
                    // A value fills its cell, or follows the row's previous value.
                    const std::string cell = Html(value);
                    do {
                        at = html.find(cell, at + 1);
                    } while (at != std::string::npos && html[at - 1] != '>' && html[at - 1] != ';');
                    EXPECT_LT(at, end) << name << " = " << value;
                    ++fieldsSeen;
                }
                at = end;
            }
        }
    }
    EXPECT_GE(fieldsSeen, 20u);
}

INSTANTIATE_TEST_SUITE_P(OneModelAFamily, ConfigurationSheetTest,
                         ::testing::Values(SheetCase{4, "en_US.UTF-8"}, SheetCase{10, "de_DE.UTF-8"},
                                           SheetCase{12, "en_US.UTF-8"}));

TEST(ConfigurationSheetFlows, ExportNamesThePdfAfterTheFileAndAsksBeforeReplacingOne) {
    ProgramHarness h;
    RecordingSheetView renderer;
    h.sheet = &renderer;
    ProgramController& p = h.StartWithRegion(0);
    ASSERT_TRUE(p.OpenCommandLineFile(h.CopyOfDefault("Europe", "Default_BODE.vorn", "site 7.vorn")));
    const std::string folder = h.root.Path() + "/";
    EXPECT_EQ(p.OpenSaveDirectory(), folder);

    h.view.AnswerSaveFile(folder + "site 7");
    EXPECT_TRUE(p.mnuFileExportSheetClick());
    EXPECT_EQ(h.view.SaveDialogs().back().fileName, "site 7.pdf");
    EXPECT_EQ(h.view.SaveDialogs().back().pattern, "*.pdf");
    EXPECT_EQ(renderer.written, std::vector<std::string>{folder + "site 7.pdf"});
    EXPECT_EQ(h.view.StatusText(), "Configuration sheet site 7.pdf written.");
    EXPECT_NE(renderer.last.html.find("site 7.vorn"), std::string::npos);

    // The PDF now exists: No keeps it; a renderer that fails is reported.
    std::filesystem::copy_file(folder + "site 7.vorn", folder + "site 7.pdf");
    h.view.AnswerSaveFile(folder + "site 7.pdf");
    h.view.AnswerDialog(DialogResult::No);
    EXPECT_FALSE(p.mnuFileExportSheetClick());
    EXPECT_EQ(renderer.written.size(), 1u);
    renderer.writes = false;
    h.view.AnswerSaveFile(folder + "other.pdf");
    h.view.AnswerDialog(DialogResult::Ok);
    EXPECT_FALSE(p.mnuFileExportSheetClick());
    EXPECT_EQ(h.view.Dialogs().back().text,
              "The configuration sheet could not be written to " + folder + "other.pdf.");

    renderer.printOutcome = PrintOutcome::Failed;
    h.view.AnswerDialog(DialogResult::Ok);
    p.mnuFilePrintClick();
    EXPECT_EQ(h.view.Dialogs().back().text, "The configuration sheet could not be printed.");
}

} // namespace
} // namespace vorn
