#include "documents/InfoBoxForm.h"

#include <gtest/gtest.h>

#include <functional>

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
    void append(const ReportBlock& block) { ts.session.appendInfoText(block); }
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

// ---------------------------------------------------------------- clipboard

// The window's Copy button (the whole report) is checked through the widgets.
TEST_F(InfoBoxFixture, CutAndPasteTakeTheSelectionAndMoveTheInsertionPoint) {
    append(titleBlock("Title\r\n"));
    append(bodyBlock("caf\xC3\xA9 \xE2\x82\xAC"));
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
