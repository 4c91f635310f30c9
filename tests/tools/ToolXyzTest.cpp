// The XYZ tool through its window: the four pages, their checks, formats
// and keyboard, as a user drives them.

#include <gtest/gtest.h>

#include "support/TestSession.h"
#include "tools/ToolXyzForm.h"

namespace ravelin {
namespace {

struct ToolXyzTest : ::testing::Test {
    testing::TestSession t;
    ToolXyzForm& xyz = t.form<ToolXyzForm>("frmToolXYZ");

    void type(const std::string& name, int index, const std::string& text) {
        Control& field = xyz.at(name, index);
        xyz.userFocus(field);
        xyz.userType(field, text);
        xyz.userLeave();
    }
    std::vector<std::string> texts(const std::string& name, int first, int last) {
        std::vector<std::string> result;
        for (int i = first; i <= last; ++i) result.push_back(xyz.text(name, i));
        return result;
    }
};

TEST_F(ToolXyzTest, DipDirectionOf180GivesAPoleTrendOf360) {
    type("txtDirPen", 0, "180");
    type("txtDirPen", 1, "40");
    EXPECT_EQ(texts("txtXYZ", 3, 4), (std::vector<std::string>{"360.0", "50.0"}));
}

TEST_F(ToolXyzTest, VectorsAlongTheAxesHaveTheirQuadrantAndTwoLinesSpanTheirPlane) {
    type("txtXYZ1", 1, "-2");  // west
    EXPECT_EQ(texts("txtIXYZ1", 3, 4), (std::vector<std::string>{"270.0", "0.0"}));
    type("txtXYZ1", 1, "0");
    type("txtXYZ1", 2, "3");  // straight down
    EXPECT_EQ(texts("txtIXYZ1", 0, 6),
              (std::vector<std::string>{"0.000", "0.000", "1.000", "0.0", "90.0", "180.0", "0.0"}));
    // North horizontal and east plunging 30: the plane dips 30 to the east.
    type("txtLDirPen", 2, "90");
    type("txtLDirPen", 3, "30");
    EXPECT_EQ(texts("txtRes", 0, 1), (std::vector<std::string>{"90.0", "30.0"}));
    EXPECT_EQ(xyz.text("txtRes", 5), "90.00");
}

TEST_F(ToolXyzTest, OnlyTheVectorFieldsTakeAMinusSign) {
    Control& vector = xyz.at("txtXYZ1", 0);
    Control& angle = xyz.at("txtDirPen", 0);
    xyz.userType(vector, "");
    xyz.userType(angle, "");
    for (char c : std::string("-1,5")) {
        int k1 = c, k2 = c;
        xyz.userKeyPress(vector, k1);
        xyz.userKeyPress(angle, k2);
    }
    EXPECT_EQ(vector.text(), "-15");
    EXPECT_EQ(angle.text(), "15");
}

TEST_F(ToolXyzTest, KeysMoveBetweenFieldsAndPages) {
    xyz.userFocus(xyz.at("txtDirPen", 0));
    EXPECT_EQ(xyz.at("txtDirPen", 0).selLength(), 1);  // "0" selected on entry
    EXPECT_EQ(xyz.userKeyDown(keys::Enter, 0), 0);
    EXPECT_EQ(xyz.focused(), &xyz.at("txtDirPen", 1));
    xyz.userKeyDown(keys::Up, 0);
    EXPECT_EQ(xyz.focused(), &xyz.at("txtDirPen", 0));
    xyz.userKeyDown(keys::PageDown, 0);
    EXPECT_EQ(xyz.at("tbsOptions").value(), 2);
    xyz.userKeyDown(keys::PageUp, 0);
    xyz.userKeyDown(keys::PageUp, 0);
    EXPECT_EQ(xyz.at("tbsOptions").value(), 1);
}

TEST_F(ToolXyzTest, LeavingAFieldReformatsItsWholeArray) {
    xyz.at("txtPDirPen", 3).withText("7abc");
    type("txtPDirPen", 0, "12.123456789");
    EXPECT_EQ(texts("txtPDirPen", 0, 3), (std::vector<std::string>{"12.1234568", "0.0", "0.0", "7.0"}));
}

}  // namespace
}  // namespace ravelin
