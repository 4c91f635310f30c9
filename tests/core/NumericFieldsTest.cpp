// Numeric input fields: key filter, range check with its single message,
// reformatting, navigation between pages, and the theta angle.

#include <gtest/gtest.h>

#include "core/NumericFields.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

TEST(FilterNumericKeyTest, AcceptsDigitsPointAndBackspaceOnly) {
    auto filtered = [](int key, bool minusAllowed = false) {
        FilterNumericKey(minusAllowed, key);
        return key;
    };
    for (int key : {int('0'), int('9'), int('.'), keys::Backspace}) EXPECT_EQ(filtered(key), key);
    for (int key : {',', 'a', ' ', '+', 'e', '-'}) EXPECT_EQ(filtered(key), 0) << static_cast<char>(key);
    EXPECT_EQ(filtered('-', true), '-');
}

// A window that checks two bounded fields on every change, as the tools do.
class RangeForm : public Form {
public:
    explicit RangeForm(Session& s) : Form(s, "frmRange", "Range") {
        add(ControlKind::TextBox, "txtIn", 0).withText("5");
        add(ControlKind::TextBox, "txtIn", 1).withText("5");
    }
    std::vector<double> checked;
    int recalculations = 0;

protected:
    void onChange(Control&) override {
        ++recalculations;
        checked = {CheckRange(*this, at("txtIn", 0), "k", 1, 10), CheckRange(*this, at("txtIn", 1), "m", 0, 90)};
    }
};

struct RangeTest : ::testing::Test {
    ScriptedPlatform platform;
    Session session{platform};
    RangeForm form{session};
};

TEST_F(RangeTest, BoundsPassAndAnOutOfRangeValueGivesOneMessageAndTheBound) {
    form.userType(form.at("txtIn", 0), "1");
    form.userType(form.at("txtIn", 1), "90");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(session.inputValid);
    form.userType(form.at("txtIn", 1), "95");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Invalid data");
    EXPECT_EQ(platform.messages[0].text, "The m should not be greater than 90");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(form.text("txtIn", 1), "90");
    EXPECT_EQ(form.checked, (std::vector<double>{1, 90}));
    EXPECT_EQ(form.at("txtIn", 1).selLength(), 2);  // the bound is selected for retyping
}

TEST_F(RangeTest, AnEmptyFieldReadsZeroAndIsCheckedOnce) {
    form.userType(form.at("txtIn", 0), "");
    // 0 lies below the minimum 1: one message, the field ends at the bound.
    EXPECT_EQ(form.text("txtIn", 0), "1");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "The k should not be smaller than 1");
    form.userType(form.at("txtIn", 1), "");
    EXPECT_EQ(form.text("txtIn", 1), "0.0");
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(RangeTest, TwoInvalidFieldsGiveTwoDistinctMessages) {
    form.at("txtIn", 0).withText("50");
    form.at("txtIn", 1).withText("-7");
    form.setText("txtIn", 0, "60");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "The k should not be greater than 10");
    EXPECT_EQ(platform.messages[1].text, "The m should not be smaller than 0");
}

TEST(FormatFieldsTest, ReformatsFromTheNumericStart) {
    ScriptedPlatform platform;
    Session session{platform};
    Form form(session, "frmF", "F");
    form.add(ControlKind::TextBox, "txt", 0).withText("12abc");
    form.add(ControlKind::TextBox, "txt", 1).withText("abc");
    form.add(ControlKind::TextBox, "txt", 2).withText("0.12345678");
    FormatFields(form, 0, 2, "txt", "0.0######");
    EXPECT_EQ(form.text("txt", 0), "12.0");
    EXPECT_EQ(form.text("txt", 1), "0.0");
    EXPECT_EQ(form.text("txt", 2), "0.1234568");
}

TEST(NavigateKeyTest, PageKeysStopAtTheEnds) {
    testing::TestSession t;
    Form& xyz = t.session.form("frmToolXYZ");
    Control& tabs = xyz.at("tbsOptions");
    NavigateKey(xyz, keys::PageUp);
    EXPECT_EQ(tabs.value(), 1);
    for (int i = 0; i < 5; ++i) NavigateKey(xyz, keys::PageDown);
    EXPECT_EQ(tabs.value(), 4);
    EXPECT_FALSE(xyz.at("picOptions", 0).enabled());
    EXPECT_EQ(xyz.at("picOptions", 0).left(), -20000);
    NavigateKey(xyz, keys::PageUp);
    EXPECT_EQ(tabs.value(), 3);
    EXPECT_TRUE(xyz.at("picOptions", 2).enabled());
    EXPECT_EQ(xyz.at("picOptions", 2).left(), 90);
}

TEST(ComputeThetaTest, FollowsTheOrientationFields) {
    ScriptedPlatform platform;
    Session session{platform};
    Form sheet(session, "frmSheet", "Data 1");
    for (int i = 0; i < 7; ++i) sheet.add(ControlKind::TextBox, "txtOr", i);
    ComputeTheta(sheet);
    EXPECT_TRUE(sheet.at("txtOr", 4).enabled());
    // Scanline along the pole of the set: theta 0, field computed and locked.
    sheet.setText("txtOr", 2, "300");
    sheet.setText("txtOr", 3, "65");
    sheet.setText("txtOr", 5, "120");
    sheet.setText("txtOr", 6, "25");
    ComputeTheta(sheet);
    EXPECT_EQ(sheet.text("txtOr", 4), "0");
    EXPECT_FALSE(sheet.at("txtOr", 4).enabled());
    // Scanline lying in the set's plane (along its strike): 90.
    sheet.setText("txtOr", 5, "30");
    sheet.setText("txtOr", 6, "0");
    ComputeTheta(sheet);
    EXPECT_EQ(sheet.text("txtOr", 4), "90");
    sheet.setText("txtOr", 6, "");
    ComputeTheta(sheet);
    EXPECT_TRUE(sheet.at("txtOr", 4).enabled());
}

}  // namespace
}  // namespace ravelin
