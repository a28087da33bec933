#include "files/SelectRegionDialog.h"

#include "lang/ListIni.h"

#include <functional>

#include <gtest/gtest.h>

namespace vorn {
namespace {

// A view that runs the operator's acts on the dialog.
class ActingView : public SelectRegionView {
public:
    std::function<void(SelectRegionDialog&)> act;
    int shown = 0;
    void Show(SelectRegionDialog& dialog) override {
        ++shown;
        if (act) {
            act(dialog);
        }
    }
};

const CodeList Regions{"Europe=Europe", "China=China", "Chile=Chile, South America", "Twin=China"};

TEST(SelectRegionDialog, PreparedWithTheLanguageAndTheRegion) {
    ListIni texts;
    texts.LoadBytes("[COMMON]\nTEXT-APPLICATION_TITLE=Title\nBUTTON-OK=OK\nBUTTON-CLOSE=Close\n"
                    "[SELECT_REGION]\nLABEL-SELECT_REGION=Region:\n");
    SelectRegionDialog dialog;
    EXPECT_FALSE(dialog.CloseVisible()) << "hidden when created";
    dialog.Prepare(texts, Regions, "Chile");
    EXPECT_EQ(dialog.Caption(), "Title");
    EXPECT_EQ(dialog.ControlTexts(),
              (std::vector<ControlText>{{"lblSelectRegion", ControlProperty::Caption, "Region:"},
                                        {"btnClose", ControlProperty::Caption, "Close"},
                                        {"btnOk", ControlProperty::Caption, "OK"}}));
    const Field& list = dialog.Fields().Get(SelectRegionDialog::RegionField);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"Europe", "China", "Chile, South America", "China"}));
    EXPECT_EQ(list.Index(), 2);
    dialog.Prepare(texts, Regions, "Atlantis");
    EXPECT_EQ(list.Index(), 0) << "a region the list lacks selects the first";
}

struct SelectCase {
    const char* name;
    int mode;
    int choose; // -1: keep
    int button; // 0 none, 1 OK, 2 Close
    const char* result;
};

TEST(SelectRegionDialog, WhatEachWayOfClosingChooses) {
    const SelectCase cases[] = {
        {"Ok", 1, 2, 1, "Chile"},         {"OkKeepsThePreselection", 1, -1, 1, "China"},
        {"Close", 1, 2, 2, "China"},      {"CloseHiddenDoesNothing", 2, 2, 2, ""},
        {"ClosedOtherwise", 1, 0, 0, ""}, {"SameTextStoresTheFirstName", 1, 3, 1, "China"},
    };
    ListIni texts;
    for (const SelectCase& c : cases) {
        SCOPED_TRACE(c.name);
        SelectRegionDialog dialog;
        dialog.SetMode(c.mode);
        ActingView view;
        view.act = [&](SelectRegionDialog& d) {
            if (c.choose >= 0) {
                d.Fields().Select(SelectRegionDialog::RegionField, c.choose);
            }
            if (c.button == 1) {
                d.OkClick();
            } else if (c.button == 2) {
                d.CloseClick();
            }
        };
        EXPECT_EQ(dialog.SelectRegion(texts, Regions, "China", view), c.result);
        EXPECT_EQ(view.shown, 1);
    }
}

} // namespace
} // namespace vorn
