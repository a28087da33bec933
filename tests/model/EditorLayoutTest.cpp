#include "model/EditorLayout.h"

#include "model/Catalogue.h"
#include "model/Conversion.h"

#include <map>

#include <gtest/gtest.h>

namespace vorn {
namespace {

// The pages and the configuration sheet show what the layout lists: a field it misses is on neither,
// a field it lists twice is made twice.
TEST(EditorLayoutTest, EveryFieldOfAFamilyIsOnItsPagesExactlyOnce) {
    for (const Family family : {Family::A, Family::B, Family::C}) {
        std::map<std::string, int> placed;
        for (const std::string_view page : PagesOfFamily(family)) {
            for (const LayoutGroup* group : GroupsOfPage(page)) {
                for (const LayoutRow& row : group->rows) {
                    EXPECT_TRUE(!group->IsTable() || row.fields.size() == group->headers.size()) << row.label;
                    for (const std::string& field : row.fields) {
                        if (!field.empty()) {
                            ++placed[field];
                        }
                    }
                }
            }
        }
        for (const FieldRow& row : FieldRowsOf(family)) {
            EXPECT_EQ(placed[row.name], 1) << row.name;
            placed.erase(row.name);
        }
        for (const auto& [name, count] : placed) {
            ADD_FAILURE() << name << " is on the pages but no field of family " << FamilyName(family);
        }
    }
}

} // namespace
} // namespace vorn
