// The form model's events and option groups; then numeric fields: key filter and range
// check with its single message (the theta field is tested through the datasheet).

#include <gtest/gtest.h>

#include "core/Form.h"
#include "core/NumericFields.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

class ProbeForm : public Form {
public:
    explicit ProbeForm(Session& s) : Form(s, "frmProbe", "Probe") {
        add(ControlKind::TextBox, "txtA", 0);
        add(ControlKind::TextBox, "txtA", 1).withEnabled(false);
        add(ControlKind::OptionButton, "opt", 0).withValue(1);
        add(ControlKind::OptionButton, "opt", 1);
        add(ControlKind::CheckBox, "chk");
        add(ControlKind::TextBox, "txtOut").withReadOnly();
    }
    std::vector<std::string> events;

protected:
    void onChange(Control& c) override { events.push_back("change " + c.key() + "=" + c.text()); }
    void onClick(Control& c) override { events.push_back("click " + c.key()); }
    void onKeyPress(Control&, int& key) override {
        if (key == ',') key = 0;
    }
};

// A window of the given kind on a scripted platform.
template <class Window>
struct OnWindow : ::testing::Test {
    testing::TestPlatform platform;
    Session session{platform};
    Window form{session};
};
using FormTest = OnWindow<ProbeForm>;

TEST_F(FormTest, ChangeFiresOnlyWhenTheTextDiffers) {
    form.setText("txtA", 0, "12");
    form.setText("txtA", 0, "12");
    form.setText("txtA", 0, "");
    EXPECT_EQ(form.events, (std::vector<std::string>{"change txtA(0)=12", "change txtA(0)="}));
}

TEST_F(FormTest, TypedCharactersPassTheKeyFilterAndLandAtTheCaretOfEnabledFieldsOnly) {
    Control& field = form.at("txtA", 0);
    for (int key : {'1', ',', '5'}) form.userKeyPress(field, key);
    EXPECT_EQ(field.text(), "15");
    form.setSelection(field, 0, 1);
    int key = '7';
    EXPECT_TRUE(form.userKeyPress(field, key));
    EXPECT_EQ(field.text(), "75");
    key = keys::Backspace;
    form.userKeyPress(field, key);
    EXPECT_EQ(field.text(), "5");

    form.events.clear();
    form.userType(form.at("txtA", 1), "9");  // disabled
    key = '3';
    EXPECT_FALSE(form.userKeyPress(form.at("txtOut"), key));  // read-only
    EXPECT_EQ(form.text("txtA", 1), "");
    EXPECT_EQ(form.text("txtOut"), "");
    EXPECT_TRUE(form.events.empty());
}

TEST_F(FormTest, OptionButtonsOfAGroupExcludeEachOther) {
    form.userClick(form.at("opt", 1));
    EXPECT_EQ(form.at("opt", 0).value(), 0);
    form.userClick(form.at("chk"));
    form.userClick(form.at("chk"));
    EXPECT_EQ(form.at("chk").value(), 0);
    EXPECT_EQ(form.events, (std::vector<std::string>{"click opt(1)", "click chk", "click chk"}));
}

TEST(ControlKeyTest, ParsesNamesAndIndices) {
    EXPECT_EQ(parseControlKey("txtXYZ(3)"), std::make_pair(std::string("txtXYZ"), 3));
    EXPECT_EQ(parseControlKey("cmdExport"), std::make_pair(std::string("cmdExport"), -1));
    for (const char* bad : {"", "(3)", "txt(", "txt()", "txt(a)", "txt(3", "txt)", "txt(-1)", "txt(99999999)"})
        EXPECT_FALSE(parseControlKey(bad).has_value()) << bad;
}

// ------------------------------------------------------------- numeric fields

// Which keys pass, with and without the minus sign, is shown through the XYZ tool's fields.
TEST(FilterNumericKeyTest, KeepsThePointAndBackspaceAndRefusesLettersAndSigns) {
    for (int key : {int('a'), int(' '), int('+'), int('e'), int('.'), keys::Backspace}) {
        int filtered = key;
        FilterNumericKey(false, filtered);
        EXPECT_EQ(filtered, key == '.' || key == keys::Backspace ? key : 0) << key;
    }
}

// A window that checks two bounded fields on every change, as the tools do.
class RangeForm : public Form {
public:
    explicit RangeForm(Session& s) : Form(s, "frmRange", "Range") {
        add(ControlKind::TextBox, "txtIn", 0).withText("5");
        add(ControlKind::TextBox, "txtIn", 1).withText("5");
    }
    std::vector<double> checked;

protected:
    void onChange(Control&) override {
        checked = {CheckRange(*this, at("txtIn", 0), "k", 1, 10), CheckRange(*this, at("txtIn", 1), "m", 0, 90)};
    }
};

using RangeTest = OnWindow<RangeForm>;

// The message texts are checked end to end by the command-line tables (tools.tsv, xyz.tsv).
TEST_F(RangeTest, ARefusedValueBecomesTheBoundWithOneMessageAndClearsTheValidFlag) {
    form.userType(form.at("txtIn", 0), "1");
    form.userType(form.at("txtIn", 1), "90");
    EXPECT_TRUE(platform.told().empty());
    EXPECT_TRUE(session.inputValid);
    form.userType(form.at("txtIn", 1), "95");
    EXPECT_EQ(form.text("txtIn", 1), "90");
    EXPECT_EQ(form.checked, (std::vector<double>{1, 90}));
    EXPECT_FALSE(session.inputValid);  // the last check's outcome
    form.userType(form.at("txtIn", 1), "45");
    EXPECT_TRUE(session.inputValid);
    // An empty field reads 0, below the minimum of the first.
    form.userType(form.at("txtIn", 0), "");
    EXPECT_EQ(form.text("txtIn", 0), "1");
    form.userType(form.at("txtIn", 1), "");
    EXPECT_EQ(form.text("txtIn", 1), "0.0");
    EXPECT_EQ(platform.told().size(), 2u);  // the bound written back is not refused again

    // Two fields out of range at once: a message for each.
    form.at("txtIn", 0).withText("50");
    form.at("txtIn", 1).withText("-7");
    form.setText("txtIn", 0, "60");
    ASSERT_EQ(platform.told().size(), 4u);
    EXPECT_EQ(platform.told()[2].text, "The k should not be greater than 10");
    EXPECT_EQ(platform.told()[3].text, "The m should not be smaller than 0");
}

// The dip calculation runs on values that passed their checks: a refused
// dip angle leaves the page as the bound put in its place shows it, and the
// flag the guard reads is clear, where it used to stay set from loading on.
TEST(ToolXyzGuardTest, ARefusedValueLeavesTheFlagClearAndThePageForTheBound) {
    testing::TestSession t;
    Form& xyz = t.session.form("frmToolXYZ");
    xyz.userType(xyz.at("txtDirPen", 0), "90");
    xyz.userType(xyz.at("txtDirPen", 1), "30");
    ASSERT_EQ(xyz.text("txtXYZ", 3), "270.0");
    EXPECT_TRUE(t.session.inputValid);
    xyz.userType(xyz.at("txtDirPen", 1), "95");
    EXPECT_EQ(xyz.text("txtDirPen", 1), "90");
    EXPECT_EQ(xyz.text("txtXYZ", 4), "0.0");  // the pole of a vertical plane is horizontal
    EXPECT_FALSE(t.session.inputValid);
    EXPECT_EQ(t.messageTexts(), std::vector<std::string>{"The dip angle should not be greater than 90"});
}

}  // namespace
}  // namespace ravelin
