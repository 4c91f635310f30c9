#include "documents/InfoBoxForm.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "core/TextCodec.h"
#include "documents/InfoText.h"
#include "documents/Rtf.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TempFolder;
using testing::TestSession;

struct InfoBoxFixture : ::testing::Test {
    TestSession ts;
    InfoBoxForm& box() { return ts.form<InfoBoxForm>("frmInfoBox"); }
    void append(const ReportBlock& block, long long position = 0) { ts.session.appendInfoText(block, position); }
    Control& toolbarButton(const std::string& key) {
        for (const auto& control : box().controls())
            if (control->name() == "Toolbar1" && control->tag() == key) return *control;
        throw std::runtime_error("no button " + key);
    }
    int button(const std::string& key) { return toolbarButton(key).value(); }
    void click(const std::string& key) { box().userClick(toolbarButton(key)); }
    void activate() {
        ts.session.setActiveForm(&box());
        box().userActivate();
    }
};

// ------------------------------------------------------------ AppendInfoText

TEST_F(InfoBoxFixture, TheFirstReportShowsTheInfoBoxAndClosingOnlyHidesIt) {
    EXPECT_EQ(ts.session.findForm("frmInfoBox"), nullptr);
    append(bodyBlock("kept"));
    EXPECT_TRUE(box().visible());
    // Save and Print are enabled only while the Info box is active; hidden, it is not.
    auto enabled = [&] { return ts.main->menuItem("mnuFileSave").enabled() + ts.main->toolButton("Print")->enabled(); };
    activate();
    EXPECT_EQ(enabled(), 2);
    EXPECT_FALSE(ts.session.closeForm(box()));
    EXPECT_FALSE(box().visible());
    EXPECT_EQ(enabled(), 0);
    append(bodyBlock(" and more"));
    EXPECT_TRUE(box().visible());
    EXPECT_EQ(box().document().plainText(), "kept and more");
}

// Reports land right after the previous one wherever the user clicked; the
// insertion point follows the user's own edits before it.
TEST_F(InfoBoxFixture, TheInsertionPointFollowsReportsAndTheUsersEdits) {
    append(titleBlock("Report 1\r\n\r\n"));
    EXPECT_EQ(ts.session.insertionPoint, 10);  // a line break is one character
    append(bodyBlock("first\r\n"));
    EXPECT_EQ(box().selectionStart(), 16);
    box().setSelection(2, 4);  // the user selects part of the title
    append(titleBlock("Report 2"));
    box().setSelection(0, 0);  // and types at the very start
    box().typeText("Note: ");
    append(bodyBlock(" | two"));
    EXPECT_EQ(box().document().plainText("|"), "Note: Report 1||first|Report 2 | two");

    // Deleting everything brings the next report back to the start.
    box().setSelection(0, box().document().length());
    box().deleteSelection();
    EXPECT_EQ(ts.session.insertionPoint, 0);
    append(bodyBlock("fresh"));
    // Backspace and Delete around it.
    box().setSelection(5, 0);
    box().deleteBackward();
    EXPECT_EQ(ts.session.insertionPoint, 4);
    box().setSelection(0, 0);
    box().deleteForward();
    EXPECT_EQ(box().document().plainText(), "res");
    EXPECT_EQ(ts.session.insertionPoint, 3);
}

TEST_F(InfoBoxFixture, StyleBitsSizesAndFontsOfBlocksButTypingIsPlain) {
    for (int style = 0; style < 8; ++style) append({std::string("S") += std::to_string(style), style, 0, ""});
    append({"big", style::Bold, 14, ""});
    append({"mono", style::Bold | style::Italic, 9, "Courier New"});
    const RichText text = box().document().richText();
    const auto& runs = text.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 10u);
    for (int style = 0; style < 8; ++style)
        EXPECT_EQ(runs[static_cast<std::size_t>(style)].format,
                  (TextFormat{"Arial", 11, (style & 1) != 0, (style & 2) != 0, (style & 4) != 0}))
            << style;
    EXPECT_EQ(runs[8].format, (TextFormat{"Arial", 14, true, false, false}));
    EXPECT_EQ(runs[9].format, (TextFormat{"Courier New", 9, true, true, false}));
    // Typing after an append is plain Arial 11, whatever the block was.
    EXPECT_EQ(button("Bold"), 0);
    box().typeText("typed");
    EXPECT_EQ(box().document().formatAt(box().document().length()), (TextFormat{"Arial", 11, false, false, false}));
}

// Insert switched to overwriting: typing replaces what follows the caret,
// never beyond its paragraph; a selection, a line break and a paste of
// several lines still insert.
TEST_F(InfoBoxFixture, TypingOverwritesWithinTheParagraphWhenInsertIsOff) {
    append(bodyBlock("F = 1.25\r\nNext line"));
    ts.platform.keyboard.insertMode = false;
    struct Step {
        long long caret, selected;
        const char* typed;
        const char* expected;
    };
    const Step steps[] = {
        {4, 0, "2", "F = 2.25\r\nNext line"},
        {5, 0, ".5°", "F = 2.5°\r\nNext line"},     // a sign of two bytes counts as one character
        {6, 0, "0 kN", "F = 2.0 kN\r\nNext line"},  // stops at the paragraph's end, then extends it
        {0, 3, "S", "S 2.0 kN\r\nNext line"},       // a selection is replaced as usual
        {8, 0, "\r\n", "S 2.0 kN\r\n\r\nNext line"},
    };
    for (const Step& step : steps) {
        box().setSelection(step.caret, step.selected);
        box().typeText(step.typed);
        EXPECT_EQ(box().document().plainText(), step.expected) << step.typed;
    }
    ts.platform.keyboard.insertMode = true;
    box().setSelection(0, 0);
    box().typeText(">");
    EXPECT_EQ(box().document().plainText(), ">S 2.0 kN\r\n\r\nNext line");
}

// ------------------------------------------------------------------ toolbar

TEST_F(InfoBoxFixture, StyleButtonsFollowAndToggleTheSelection) {
    append(titleBlock("Title\r\n"));
    append(bodyBlock("body"));
    box().setSelection(2, 0);  // a caret inside the title types bold
    EXPECT_EQ(button("Bold"), 1);
    box().setSelection(0, 10);  // mixed
    EXPECT_EQ(button("Bold"), 0);
    click("Bold");  // mixed: everything becomes bold
    EXPECT_EQ(box().document().formatOf(0, 10).bold, true);
    click("Bold");
    EXPECT_EQ(box().document().formatOf(0, 10).bold, false);
    click("Italic");
    EXPECT_EQ(button("Italic"), 1);
    // With a caret only the typing attributes change.
    box().setSelection(10, 0);
    click("Italic");
    box().typeText("x");
    EXPECT_FALSE(box().document().formatAt(11).italic);
    EXPECT_TRUE(box().document().formatAt(10).italic);
}

// The window's own buttons set the alignment; the main toolbar's Center and Right toggle back to Left.
TEST_F(InfoBoxFixture, AlignmentButtonsSetTheSelectedParagraphsAndTheMainToolbarTogglesIt) {
    ts.main->runCommand("tbBold");  // no Info box yet: nothing to do
    append(bodyBlock("one\r\ntwo\r\nthree"));
    using enum ParagraphAlignment;
    auto alignment = [&](long long at) { return box().document().paragraphFormatAt(at).alignment; };
    box().setSelection(1, 5);  // "ne", break, "tw"
    click("Right");
    click("Right");
    EXPECT_EQ(button("Right"), 1);
    EXPECT_EQ((std::array{alignment(0), alignment(5), alignment(9)}), (std::array{Right, Right, Left}));
    ts.main->runCommand("tbBold");
    EXPECT_EQ(box().document().formatOf(1, 5).bold, true);
    const std::pair<const char*, ParagraphAlignment> steps[] = {
        {"tbCenter", Center}, {"tbCenter", Left}, {"tbRight", Right}, {"tbLeft", Left}};
    for (const auto& [command, expected] : steps) {
        ts.main->runCommand(command);
        EXPECT_EQ(alignment(0), expected) << command;
    }
}

TEST_F(InfoBoxFixture, FontDialogIsPresetWithTheSelectionAndAppliesNameSizeBoldItalic) {
    append(titleBlock("Title"));
    box().setSelection(0, 5);
    ts.platform.fontAnswers.push_back(FontChoice{"Times New Roman", 12.5, false, true});
    click("Font");
    ASSERT_EQ(ts.platform.fontDialogs.size(), 1u);
    EXPECT_EQ(ts.platform.fontDialogs[0], (FontChoice{"Arial", 14, true, false}));
    EXPECT_EQ(box().document().formatAt(5), (TextFormat{"Times New Roman", 12.5, false, true, false}));

    // Cancel changes nothing; a mixed selection presets an empty name and size 0.
    append(bodyBlock(" body"));
    box().setSelection(0, 10);
    click("Font");
    EXPECT_EQ(ts.platform.fontDialogs[1], (FontChoice{"", 0, false, false}));
    EXPECT_EQ(box().document().formatAt(5).font, "Times New Roman");
}

// ---------------------------------------------------------------- clipboard

TEST_F(InfoBoxFixture, CopyTakesTheWholeTextAndCutAndPasteTheSelection) {
    append(titleBlock("Title\r\n"));
    append(bodyBlock("caf\xC3\xA9 \xE2\x82\xAC"));
    box().setSelection(1, 2);
    click("Copy");  // the whole report, whatever is selected
    EXPECT_EQ(ts.platform.clipboard.text, "Title\r\ncaf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(readRtf(ts.platform.clipboard.rtf), box().document().richText());
    activate();
    box().setSelection(6, 5);
    ts.main->runCommand("mnuEditCut");
    EXPECT_EQ(ts.platform.clipboard.text, "caf\xC3\xA9 ");
    EXPECT_EQ(box().document().plainText("|"), "Title|\xE2\x82\xAC");
    EXPECT_EQ(ts.session.insertionPoint, 7);
    box().setSelection(7, 0);
    ts.main->runCommand("mnuEditPaste");
    EXPECT_EQ(box().document().plainText("|"),
              "Title|\xE2\x82\xAC"
              "caf\xC3\xA9 ");
    // A renamed Info box (holding an opened file) copies only its selection.
    box().setCaption("Info box - notes.txt");
    box().setSelection(0, 5);
    ts.main->runCommand("mnuEditCopy");
    EXPECT_EQ(ts.platform.clipboard.text, "Title");
}

// A long session of reports: each block goes where the previous one ended.
TEST_F(InfoBoxFixture, TwentyThousandBlocksLandInOrderWithTheirStyles) {
    std::string expected;
    for (int i = 0; i < 10000; ++i) {
        const std::string n = std::to_string(i);
        for (const ReportBlock& block : {titleBlock("\r\nReport " + n), bodyBlock("\r\nN\xC2\xB0" + n + "\t42")}) {
            append(block);
            expected += block.text;
        }
    }
    const RichTextDocument& document = box().document();
    EXPECT_EQ(document.plainText(), expected);
    EXPECT_EQ(ts.session.insertionPoint, document.length());
    // A block deep inside the text keeps its own format.
    EXPECT_EQ(document.richText().paragraphs.at(19997).runs,
              (std::vector<TextRun>{{"Report 9998", blockFormat(titleBlock(""))}}));

    // A block given a position near the start lands there, and the later ones still follow the insertion point.
    append(bodyBlock("[early]"), 3);
    append(bodyBlock("[last]"));
    const std::string after = document.plainText();
    EXPECT_EQ(after.substr(0, 14), "\r\nRe[early]por");
    EXPECT_EQ(after.substr(after.size() - 6), "[last]");
}

// -------------------------------------------------------------------- Undo

struct InfoBoxHistory : InfoBoxFixture {
    void undo() { box().userUndo(); }
    void redo() { box().userRedo(); }
    std::string text() { return box().document().plainText("|"); }
};

TEST_F(InfoBoxHistory, LettersTypedInARowAreOneStepAndACaretMoveStartsAnother) {
    append(bodyBlock("Report"));
    box().setSelection(6, 0);
    for (const char* letter : {" ", "o", "n", "e"}) box().typeText(letter);
    box().setSelection(0, 0);
    box().typeText(">");
    box().setSelection(11, 0);
    box().typeText("!");
    EXPECT_EQ(text(), ">Report one!");
    undo();
    EXPECT_EQ(text(), ">Report one");
    undo();
    EXPECT_EQ(text(), "Report one");
    EXPECT_EQ(box().selectionStart(), 0);  // the caret where the step found it
    undo();
    EXPECT_EQ(text(), "Report");
    EXPECT_EQ(box().selectionStart(), 6);
    redo();
    EXPECT_EQ(text(), "Report one");
    EXPECT_EQ(box().selectionStart(), 10);
}

TEST_F(InfoBoxHistory, DeletionsFormatsAndAlignmentsComeBackExactly) {
    append(titleBlock("Wedge\r\n"));
    append(bodyBlock("Safety factor\r\nis 1.2"));
    // Each edit, and the text it left (paragraph formats and runs included).
    std::vector<RichText> states{box().document().richText()};
    const std::vector<std::function<void()>> edits = {
        [&] { box().setSelection(0, 1), box().setAlignment(ParagraphAlignment::Center); },
        [&] { box().setSelection(3, 12), box().toggleItalic(); },  // across the first break
        [&] { box().setAlignment(ParagraphAlignment::Right); },
        [&] { box().setSelection(2, 10), box().deleteSelection(); },
        [&] { box().setSelection(5, 0), box().deleteBackward(); },
        [&] { box().deleteForward(); },
    };
    for (const auto& edit : edits) {
        edit();
        states.push_back(box().document().richText());
        ASSERT_NE(states.back(), states[states.size() - 2]);
    }
    for (std::size_t i = edits.size(); i-- > 0;) {
        undo();
        EXPECT_EQ(box().document().richText(), states[i]) << "undo to state " << i;
    }
    EXPECT_EQ(box().undoStack().index(), 2u);  // the two reports' blocks are left
    for (std::size_t i = 1; i <= edits.size(); ++i) {
        redo();
        EXPECT_EQ(box().document().richText(), states[i]) << "redo to state " << i;
    }
}

TEST_F(InfoBoxHistory, AReportIsTakenBackWholeWithTheInsertionPoint) {
    append(bodyBlock("first"));
    ts.session.appendReport({titleBlock("\r\nTitle"), bodyBlock("\r\nline 1"), bodyBlock("\r\nline 2")});
    ts.session.appendReport({bodyBlock("\r\nsecond report")});
    box().setSelection(0, 0);  // the user clicked elsewhere
    undo();
    EXPECT_EQ(text(), "first|Title|line 1|line 2");
    undo();
    EXPECT_EQ(text(), "first");
    EXPECT_EQ(ts.session.insertionPoint, 5);
    append(bodyBlock(" again"));  // the next report lands where the taken back one had
    EXPECT_EQ(text(), "first again");
}

TEST_F(InfoBoxHistory, UnsavedReportsAreKnownAndUndoAfterASaveMakesTheTextUnsavedAgain) {
    TempFolder folder;
    EXPECT_FALSE(box().modified());
    append(bodyBlock("result"));
    EXPECT_TRUE(box().modified());
    ASSERT_TRUE(box().saveFile(folder.file("r.rtf")));
    EXPECT_FALSE(box().modified());
    box().setSelection(6, 0);
    box().typeText("s");
    undo();
    EXPECT_FALSE(box().modified());
    undo();
    EXPECT_TRUE(box().modified());
    EXPECT_EQ(text(), "");
    ASSERT_TRUE(box().loadFile(folder.file("r.rtf"), true));
    EXPECT_FALSE(box().modified());
    EXPECT_FALSE(box().undoStack().canUndo());  // a loaded file starts a new history
}

// -------------------------------------------------------------------- files

struct InfoBoxFiles : InfoBoxFixture {
    TempFolder folder;
};

TEST_F(InfoBoxFiles, RichTextLoadsWithItsFormatsAndPlainTextInArial11WhateverItsLineEnds) {
    append(bodyBlock("old report"));
    const std::string path =
        folder.write("report.rtf", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\qc\\b\\fs28 Title\\par\\pard\\b0 body}");
    ASSERT_TRUE(box().loadFile(path, true));
    EXPECT_EQ(box().document().paragraphFormatAt(0).alignment, ParagraphAlignment::Center);
    append(bodyBlock("!"));  // the next report follows the loaded text
    EXPECT_EQ(box().document().plainText("|"), "Title|body!");

    ASSERT_TRUE(box().loadFile(folder.write("notes.txt", "first\r\nsecond\nthird\rfourth caf\xE9"), false));
    EXPECT_EQ(box().document().plainText("|"), "first|second|third|fourth caf\xC3\xA9");
    const RangeFormat format = box().document().formatOf(0, box().document().length());
    EXPECT_TRUE(format.font == "Arial" && format.size == 11);
    // RTF source in a file opened as text shows as text; a text named .rtf loads as text.
    ASSERT_TRUE(box().loadFile(folder.write("source.txt", "{\\rtf1 x}"), false));
    EXPECT_EQ(box().document().plainText(), "{\\rtf1 x}");
    ASSERT_TRUE(box().loadFile(folder.write("renamed.rtf", "just text"), true));
    EXPECT_EQ(box().document().plainText(), "just text");
}

TEST_F(InfoBoxFiles, BinaryAndMissingFilesAreRefusedAndTheTextStays) {
    append(bodyBlock("keep me"));
    const std::string binary = folder.write("picture.rtf", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    EXPECT_FALSE(box().loadFile(binary, true));
    EXPECT_FALSE(box().loadFile(folder.file("missing.txt"), false));
    EXPECT_EQ(ts.messageTexts(),
              (std::vector<std::string>{"The file '" + binary + "' is not a text file.",
                                        "The file '" + folder.file("missing.txt") + "' cannot be read."}));
    EXPECT_EQ(box().document().plainText(), "keep me");
    EXPECT_EQ(box().caption(), "InfoBox");
}

TEST_F(InfoBoxFiles, LargeFilesLetEventsThroughAndRestoreTheStatusBar) {
    std::string text;
    while (text.size() < 2'000'000) text += "a line of a long report\r\n";
    const std::string path = folder.write("long.txt", text);
    ts.main->setStatusPanel(1, "ready");
    const int before = ts.platform.eventsProcessed;
    ASSERT_TRUE(box().loadFile(path, false));
    EXPECT_GE(ts.platform.eventsProcessed - before, 5);
    EXPECT_EQ(ts.main->at("Panels", 1).text(), "ready");
    EXPECT_FALSE(ts.platform.busy);
    EXPECT_EQ(box().document().paragraphCount(), 80'001);
}

TEST_F(InfoBoxFiles, SavesTxtAsPlainTextAndAnythingElseAsRichText) {
    append(titleBlock("Title\r\n"));
    append(bodyBlock("Dip 45\xC2\xB0"));
    const std::string txt = folder.file("out.TXT");
    const std::string rtf = folder.file("out.doc");
    ASSERT_TRUE(box().saveFile(txt));
    ASSERT_TRUE(box().saveFile(rtf));
    EXPECT_EQ(readFileBytes(txt), std::string("Title\r\nDip 45\xB0"));
    EXPECT_EQ(readRtf(readFileBytes(rtf).value_or("")), box().document().richText());
}

}  // namespace
}  // namespace ravelin
