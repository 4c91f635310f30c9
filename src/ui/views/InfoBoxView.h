#pragma once
// The Info box window: its toolbar Toolbar1 and the rich-text field txtText.
// The form's RichTextDocument stays the only text: every edit the user makes
// in the field goes to the form, and the field follows the document's
// changes range by range (a full reload only when the document is reset).

#include <QTextEdit>
#include <QWidget>
#include <map>

#include "core/Session.h"
#include "documents/InfoBoxForm.h"

class QAction;
class QToolBar;

namespace ravelin {

class UiContext;

// The field: shows the text and turns the user's keys, clicks and pastes
// into requests to the form instead of editing its own document.
class InfoTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit InfoTextEdit(QWidget* parent);
    void setForm(InfoBoxForm* form) { form_ = form; }

    // Core positions (code points, a paragraph break counting one) and
    // positions in the field's document (UTF-16 units), both ways.
    int toQt(long long position) const;
    long long toCore(int position) const;
    // Set when the text may hold characters outside the Basic Multilingual
    // Plane; while it is not, both counts agree.
    void setWide(bool wide) { wide_ = wide; }
    bool wide() const { return wide_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusInEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool isNavigation(const QKeyEvent& event) const;
    void deleteWord(QTextCursor::MoveOperation direction);

    InfoBoxForm* form_ = nullptr;
    bool wide_ = false;
};

class InfoBoxView : public QWidget,
                    public RichTextDocumentObserver,
                    public InfoBoxObserver,
                    public FormObserver,
                    public SessionObserver {
    Q_OBJECT
public:
    InfoBoxView(InfoBoxForm& form, UiContext& context, QWidget* parent);
    ~InfoBoxView() override;

    InfoTextEdit* editor() const { return editor_; }
    QToolBar* toolbar() const { return toolbar_; }

    void documentChanged(const DocumentChange& change) override;
    void selectionChanged(InfoBoxForm&) override;
    void controlChanged(Form&, Control& control, ControlProperty property) override;
    void formDestroyed(Form& form) override;

private:
    void buildToolbar();
    void syncButton(const Control& control);
    void reload();
    void inserted(long long start, long long length);
    void removed(long long start, long long length);
    void formatted(long long start, long long length);
    // Block formats of the paragraphs the rich text of [start, start + length) spans.
    void applyParagraphFormats(long long start, const RichText& part);
    void showFormSelection();
    void userMovedSelection();
    void resyncAfterStrayEdit();
    void detach();

    InfoBoxForm* form_;
    UiContext& context_;
    QToolBar* toolbar_ = nullptr;
    InfoTextEdit* editor_ = nullptr;
    std::map<const Control*, QAction*> buttons_;
    int updating_ = 0;  // >0 while the view itself changes the field
    bool scrollPending_ = false;
    bool userMoving_ = false;  // the form hears of a caret move the user made
};

QWidget* createInfoBoxView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
