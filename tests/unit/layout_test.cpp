// The layout tables are indexed by the control enums: each row must stand at
// the place of the control it describes, which a count alone cannot show.
#include "resources/form1_layout.h"
#include "resources/form2_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(Layout, EveryRowStandsAtItsControlsPlaceInTheEnum) {
    std::set<std::string> ids;
    for (int i = 0; i < kControlCount; ++i) {
        const ControlLayout& row = layoutOf(static_cast<Control>(i));
        EXPECT_EQ(static_cast<int>(row.name), i) << "row " << i << " (" << row.id << ")";
        EXPECT_TRUE(ids.insert(row.id).second) << row.id << " appears twice";
    }
    ids.clear();
    for (int i = 0; i < kForm2ControlCount; ++i) {
        const Form2ControlLayout& row = form2LayoutOf(static_cast<Form2Control>(i));
        EXPECT_EQ(static_cast<int>(row.name), i) << "row " << i << " (" << row.id << ")";
        EXPECT_TRUE(ids.insert(row.id).second) << row.id << " appears twice";
    }
}

} // namespace
