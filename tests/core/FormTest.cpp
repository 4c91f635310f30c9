// The form model: events fire as the windows expect, option groups stay
// exclusive, focus moves through enabled fields of the visible page only.

#include <gtest/gtest.h>

#include "core/Form.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

class ProbeForm : public Form {
public:
    explicit ProbeForm(Session& s) : Form(s, "frmProbe", "Probe") {
        add(ControlKind::TabStrip, "tbsOptions").withTabs({{"One", ""}, {"Two", ""}});
        add(ControlKind::PictureBox, "picOptions", 0).withGeometry(90, 540, 0, 0);
        add(ControlKind::PictureBox, "picOptions", 1).withGeometry(-20000, 540, 0, 0).withEnabled(false);
        add(ControlKind::TextBox, "txtA", 0).withContainer("picOptions(0)");
        add(ControlKind::TextBox, "txtA", 1).withContainer("picOptions(0)").withEnabled(false);
        add(ControlKind::TextBox, "txtA", 2).withContainer("picOptions(0)");
        add(ControlKind::TextBox, "txtB", 0).withContainer("picOptions(1)");
        add(ControlKind::OptionButton, "opt", 0).withValue(1);
        add(ControlKind::OptionButton, "opt", 1);
        add(ControlKind::CheckBox, "chk");
        add(ControlKind::TextBox, "txtOut").withReadOnly();
    }
    std::vector<std::string> events;

protected:
    void onChange(Control& c) override { events.push_back("change " + c.key() + "=" + c.text()); }
    void onClick(Control& c) override { events.push_back("click " + c.key()); }
    void onGotFocus(Control& c) override { events.push_back("in " + c.key()); }
    void onLostFocus(Control& c) override { events.push_back("out " + c.key()); }
    void onKeyPress(Control&, int& key) override {
        if (key == ',') key = 0;
    }
    void onTabClick(Control& t) override { events.push_back("tab " + std::to_string(t.value())); }
};

struct FormTest : ::testing::Test {
    testing::TestPlatform platform;
    Session session{platform};
    ProbeForm form{session};
};

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

TEST_F(FormTest, FocusEventsComeInOrderAndSkipUnreachableFields) {
    form.userFocus(form.at("txtA", 0));
    form.focusNext(+1);  // txtA(1) is disabled, txtB(0) lies on the hidden page
    EXPECT_EQ(form.focused(), &form.at("txtA", 2));
    form.focusNext(+1);
    EXPECT_EQ(form.focused()->key(), "opt(0)");
    form.focusNext(-1);
    form.userLeave();
    EXPECT_EQ(form.focused(), nullptr);
    EXPECT_EQ(form.events, (std::vector<std::string>{"in txtA(0)", "out txtA(0)", "in txtA(2)", "out txtA(2)",
                                                     "in opt(0)", "out opt(0)", "in txtA(2)", "out txtA(2)"}));
}

TEST_F(FormTest, TabClicksRaiseTheirEventOnlyForExistingTabs) {
    Control& tabs = form.at("tbsOptions");
    form.userSelectTab(tabs, 2);
    form.userSelectTab(tabs, 3);
    form.userSelectTab(tabs, 0);
    EXPECT_EQ(tabs.value(), 2);
    EXPECT_EQ(form.events, (std::vector<std::string>{"tab 2"}));
}

TEST(ControlKeyTest, ParsesNamesAndIndices) {
    EXPECT_EQ(parseControlKey("txtXYZ(3)"), std::make_pair(std::string("txtXYZ"), 3));
    EXPECT_EQ(parseControlKey("cmdExport"), std::make_pair(std::string("cmdExport"), -1));
    for (const char* bad : {"", "(3)", "txt(", "txt()", "txt(a)", "txt(3", "txt)", "txt(-1)", "txt(99999999)"})
        EXPECT_FALSE(parseControlKey(bad).has_value()) << bad;
}

}  // namespace
}  // namespace ravelin
