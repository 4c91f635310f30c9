#include "ui/views/InfoBoxView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTimer>
#include <QWheelEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "ui/FormView.h"
#include "ui/Icons.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"
#include "ui/render/Render.h"

namespace ravelin {

namespace {

constexpr int kToolbarIconPixels = 24;  // as the main toolbar's
// Keeps the field usable when the window is made very small.
constexpr int kMinimumFieldWidth = 160;
constexpr int kMinimumFieldHeight = 60;

// Code points of `text` and the UTF-16 units they take, from the start,
// stopping after `limit` code points or at the end of the text.
struct Span {
    long long points = 0;
    int units = 0;
};

Span walk(const QString& text, long long limit) {
    Span span;
    const int size = static_cast<int>(text.size());
    while (span.units < size && span.points < limit) {
        const bool pair =
            text[span.units].isHighSurrogate() && span.units + 1 < size && text[span.units + 1].isLowSurrogate();
        span.units += pair ? 2 : 1;
        ++span.points;
    }
    return span;
}

long long codePoints(const QString& text) { return walk(text, LLONG_MAX).points; }

// UTF-8 lead bytes of four-byte sequences: the characters Qt stores as two units.
bool hasWideCharacters(const RichText& text) {
    for (const RichParagraph& paragraph : text.paragraphs)
        for (const TextRun& run : paragraph.runs)
            if (std::any_of(run.text.begin(), run.text.end(),
                            [](char c) { return (static_cast<unsigned char>(c) & 0xF8) == 0xF0; }))
                return true;
    return false;
}

bool matchesAny(const QKeyEvent& event, std::initializer_list<QKeySequence::StandardKey> keys) {
    return std::any_of(keys.begin(), keys.end(), [&](QKeySequence::StandardKey key) { return event.matches(key); });
}

// Ctrl+Y and Ctrl+Shift+Z redo whatever the platform's own Redo key is.
bool isRedoKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
           (event.key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier));
}

}  // namespace

// ------------------------------------------------------------------ field

InfoTextEdit::InfoTextEdit(QWidget* parent) : QTextEdit(parent) {
    setObjectName("txtText");
    setAcceptDrops(false);
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    setTabChangesFocus(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setMinimumSize(kMinimumFieldWidth, kMinimumFieldHeight);
}

int InfoTextEdit::toQt(long long position) const {
    const QTextDocument* doc = document();
    const int last = doc->characterCount() - 1;
    if (position <= 0) return 0;
    if (!wide_) return static_cast<int>(std::min<long long>(position, last));
    long long left = position;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const Span span = walk(text, left);
        if (span.points == left) return block.position() + span.units;
        left -= span.points + 1;  // the paragraph break
    }
    return last;
}

long long InfoTextEdit::toCore(int position) const {
    if (!wide_) return position;
    const QTextDocument* doc = document();
    const QTextBlock target = doc->findBlock(position);
    long long core = 0;
    for (QTextBlock block = doc->begin(); block.isValid() && block != target; block = block.next())
        core += codePoints(block.text()) + 1;
    if (target.isValid()) core += codePoints(target.text().left(position - target.position()));
    return core;
}

bool InfoTextEdit::isNavigation(const QKeyEvent& event) const {
    return matchesAny(
        event,
        {QKeySequence::MoveToNextChar,        QKeySequence::MoveToPreviousChar,  QKeySequence::MoveToNextWord,
         QKeySequence::MoveToPreviousWord,    QKeySequence::MoveToNextLine,      QKeySequence::MoveToPreviousLine,
         QKeySequence::MoveToNextPage,        QKeySequence::MoveToPreviousPage,  QKeySequence::MoveToStartOfLine,
         QKeySequence::MoveToEndOfLine,       QKeySequence::MoveToStartOfBlock,  QKeySequence::MoveToEndOfBlock,
         QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument, QKeySequence::SelectNextChar,
         QKeySequence::SelectPreviousChar,    QKeySequence::SelectNextWord,      QKeySequence::SelectPreviousWord,
         QKeySequence::SelectNextLine,        QKeySequence::SelectPreviousLine,  QKeySequence::SelectNextPage,
         QKeySequence::SelectPreviousPage,    QKeySequence::SelectStartOfLine,   QKeySequence::SelectEndOfLine,
         QKeySequence::SelectStartOfBlock,    QKeySequence::SelectEndOfBlock,    QKeySequence::SelectStartOfDocument,
         QKeySequence::SelectEndOfDocument,   QKeySequence::SelectAll,           QKeySequence::Deselect});
}

bool InfoTextEdit::event(QEvent* event) {
    // The clipboard keys belong to the field while it has the focus, not to the menu shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (matchesAny(*key, {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
                              QKeySequence::Redo}) ||
            isRedoKey(*key)) {
            event->accept();
            return true;
        }
    }
    return QTextEdit::event(event);
}

void InfoTextEdit::deleteWord(QTextCursor::MoveOperation direction) {
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) cursor.movePosition(direction, QTextCursor::KeepAnchor);
    const long long start = toCore(cursor.selectionStart());
    const long long end = toCore(cursor.selectionEnd());
    form_->setSelection(start, end - start);
    form_->deleteSelection();
}

void InfoTextEdit::keyPressEvent(QKeyEvent* event) {
    if (!form_) {
        event->ignore();
        return;
    }
    event->accept();
    if (event->matches(QKeySequence::Copy)) return void(form_->editCopy());
    if (event->matches(QKeySequence::Cut)) return void(form_->editCut());
    if (event->matches(QKeySequence::Paste)) return void(form_->editPaste());
    if (event->matches(QKeySequence::DeleteStartOfWord)) return deleteWord(QTextCursor::PreviousWord);
    if (event->matches(QKeySequence::DeleteEndOfWord)) return deleteWord(QTextCursor::NextWord);
    // Caret and selection moves are the field's own; the form hears of them.
    if (isNavigation(*event)) return QTextEdit::keyPressEvent(event);
    // The history is the form's: the field's own document keeps none.
    if (event->matches(QKeySequence::Undo)) return form_->userUndo();
    if (event->matches(QKeySequence::Redo) || isRedoKey(*event)) return form_->userRedo();

    const Qt::KeyboardModifiers modifiers = event->modifiers();
    switch (event->key()) {
        case Qt::Key_Backspace: return form_->deleteBackward();
        case Qt::Key_Delete: return form_->deleteForward();
        case Qt::Key_Return:
        case Qt::Key_Enter: return form_->typeText("\r\n");
        case Qt::Key_Tab:
            if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier))) return form_->typeText("\t");
            break;
        case Qt::Key_Insert: return;  // switches overwriting for the whole program (KeyboardWatcher)
        default: break;
    }
    // Ctrl with Alt is AltGr on some keyboards: that still types.
    const bool command = (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !(modifiers & Qt::AltModifier);
    const QString text = event->text();
    const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() != 0x7F;
    });
    if (printable && !command) return form_->typeText(ss(text));
    event->ignore();  // left to the window's shortcuts
}

void InfoTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Composed characters arrive whole; the composition itself is not shown.
    if (form_ && !event->commitString().isEmpty()) form_->typeText(ss(event->commitString()));
    event->accept();
}

void InfoTextEdit::mousePressEvent(QMouseEvent* event) {
    // A press inside the selection would start dragging the text around
    // behind the form's back: it places the caret instead.
    QTextCursor cursor = textCursor();
    if (event->button() == Qt::LeftButton && cursor.hasSelection() && !(event->modifiers() & Qt::ShiftModifier)) {
        const int at = cursorForPosition(event->position().toPoint()).position();
        if (at >= cursor.selectionStart() && at <= cursor.selectionEnd()) {
            cursor.clearSelection();
            setTextCursor(cursor);
        }
    }
    QTextEdit::mousePressEvent(event);
}

void InfoTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (!form_) return;
    QMenu menu(this);
    const bool selected = textCursor().hasSelection();
    QAction* cut = menu.addAction(tr("Cu&t"), this, [this] { form_->editCut(); });
    cut->setEnabled(selected);
    menu.addAction(tr("&Copy"), this, [this] { form_->editCopy(); });
    QAction* paste = menu.addAction(tr("&Paste"), this, [this] { form_->editPaste(); });
    paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, [this] { selectAll(); });
    menu.exec(event->globalPos());
}

bool InfoTextEdit::canInsertFromMimeData(const QMimeData* source) const { return source && source->hasText(); }

void InfoTextEdit::insertFromMimeData(const QMimeData* source) {
    // Whatever arrives (a middle-click paste) is typed as plain text through the form.
    if (form_ && source && source->hasText()) form_->typeText(ss(source->text()));
}

void InfoTextEdit::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    if (form_)
        if (Control* field = form_->find("txtText")) form_->userFocus(*field);
}

void InfoTextEdit::wheelEvent(QWheelEvent* event) {
    // The sizes are the text's own; Ctrl+wheel does not zoom them.
    if (event->modifiers() & Qt::ControlModifier) return event->accept();
    QTextEdit::wheelEvent(event);
}

// ------------------------------------------------------------------ view

InfoBoxView::InfoBoxView(InfoBoxForm& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(&form), context_(context) {
    setObjectName(qs(form.name()));
    setWindowIcon(toolbarIcon("Ravelin"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    layout->addWidget(toolbar_);

    editor_ = new InfoTextEdit(this);
    editor_->setForm(&form);
    if (const Control* field = form.find("txtText")) editor_->document()->setDefaultFont(toQFont(field->font()));
    layout->addWidget(editor_, 1);

    connect(editor_, &QTextEdit::cursorPositionChanged, this, &InfoBoxView::userMovedSelection);
    connect(editor_, &QTextEdit::selectionChanged, this, &InfoBoxView::userMovedSelection);
    connect(editor_->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (!updating_ && (removed > 0 || added > 0)) resyncAfterStrayEdit();
    });

    form.document().addObserver(this);
    form.addInfoBoxObserver(this);
    form.addObserver(this);
    context.session().addObserver(this);
    reload();
}

InfoBoxView::~InfoBoxView() {
    detach();
    context_.session().removeObserver(this);
}

void InfoBoxView::detach() {
    if (!form_) return;
    form_->document().removeObserver(this);
    form_->removeInfoBoxObserver(this);
    form_->removeObserver(this);
    form_ = nullptr;
    if (editor_) editor_->setForm(nullptr);
}

void InfoBoxView::formDestroyed(Form& form) {
    if (&form == form_) detach();
}

void InfoBoxView::buildToolbar() {
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setIconSize(QSize(kToolbarIconPixels, kToolbarIconPixels));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const auto& control : form_->controls()) {
        if (control->name() != "Toolbar1") continue;
        // Groups: font and copy, character styles, alignment.
        if (control->tag() == "Bold" || control->tag() == "Left") toolbar_->addSeparator();
        QAction* action = toolbar_->addAction(toolbarIcon(control->tag()), qs(control->toolTip()));
        action->setObjectName(qs(control->tag()));
        action->setCheckable(control->description() == "two-state");
        const Control* button = control.get();
        connect(action, &QAction::triggered, this, [this, button] {
            if (!form_) return;
            form_->userClick(const_cast<Control&>(*button));
            syncButton(*button);
        });
        buttons_[button] = action;
        syncButton(*button);
    }
}

void InfoBoxView::syncButton(const Control& control) {
    auto it = buttons_.find(&control);
    if (it == buttons_.end()) return;
    QAction* action = it->second;
    action->setEnabled(control.enabled());
    action->setVisible(control.visible());
    action->setToolTip(qs(control.toolTip()));
    if (action->isCheckable()) action->setChecked(control.value() != 0);
}

void InfoBoxView::controlChanged(Form&, Control& control, ControlProperty) {
    if (control.name() == "Toolbar1") syncButton(control);
}

// ------------------------------------------------------------ document

void InfoBoxView::documentChanged(const DocumentChange& change) {
    if (!form_) return;
    switch (change.kind) {
        case DocumentChange::Kind::Reset: reload(); break;
        case DocumentChange::Kind::Inserted: inserted(change.start, change.length); break;
        case DocumentChange::Kind::Removed: removed(change.start, change.length); break;
        case DocumentChange::Kind::Formatted: formatted(change.start, change.length); break;
    }
}

void InfoBoxView::reload() {
    if (!form_) return;
    const RichText text = form_->document().richText();
    ++updating_;
    QTextDocument* doc = editor_->document();
    fillDocument(text, *doc);
    doc->setUndoRedoEnabled(false);
    editor_->setWide(hasWideCharacters(text));
    --updating_;
    showFormSelection();
}

void InfoBoxView::inserted(long long start, long long length) {
    const RichText part = form_->document().richText(start, length);
    ++updating_;
    QTextCursor cursor(editor_->document());
    // Positions before `start` are the same in the field and in the document.
    cursor.setPosition(editor_->toQt(start));
    cursor.beginEditBlock();
    QTextCharFormat previous = qtCharFormat(form_->document().formatAt(start));
    bool first = true;
    for (const RichParagraph& paragraph : part.paragraphs) {
        if (!first) cursor.insertBlock(qtBlockFormat(paragraph), previous);
        first = false;
        for (const TextRun& run : paragraph.runs) {
            previous = qtCharFormat(run.format);
            cursor.insertText(qtRunText(run.text), previous);
        }
    }
    cursor.endEditBlock();
    if (hasWideCharacters(part)) editor_->setWide(true);
    applyParagraphFormats(start, part);
    --updating_;
}

void InfoBoxView::removed(long long start, long long length) {
    ++updating_;
    QTextCursor cursor(editor_->document());
    cursor.setPosition(editor_->toQt(start));
    cursor.setPosition(editor_->toQt(start + length), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    // Joined paragraphs keep the first one's format.
    applyParagraphFormats(start, form_->document().richText(start, 0));
    --updating_;
}

void InfoBoxView::formatted(long long start, long long length) {
    const RichText part = form_->document().richText(start, length);
    ++updating_;
    QTextDocument* doc = editor_->document();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    int position = editor_->toQt(start);
    QTextBlock block = doc->findBlock(position);
    bool first = true;
    for (const RichParagraph& paragraph : part.paragraphs) {
        if (!block.isValid()) break;
        if (!first) position = block.position();
        first = false;
        QTextCursor(block).setBlockFormat(qtBlockFormat(paragraph));
        for (const TextRun& run : paragraph.runs) {
            const int units = static_cast<int>(qtRunText(run.text).size());
            cursor.setPosition(position);
            cursor.setPosition(position + units, QTextCursor::KeepAnchor);
            cursor.setCharFormat(qtCharFormat(run.format));
            position += units;
        }
        block = block.next();
    }
    cursor.endEditBlock();
    --updating_;
}

void InfoBoxView::applyParagraphFormats(long long start, const RichText& part) {
    QTextBlock block = editor_->document()->findBlock(editor_->toQt(start));
    for (const RichParagraph& paragraph : part.paragraphs) {
        if (!block.isValid()) break;
        QTextCursor(block).setBlockFormat(qtBlockFormat(paragraph));
        block = block.next();
    }
}

void InfoBoxView::resyncAfterStrayEdit() {
    // Something changed the field without the form: show the form's text again.
    QTimer::singleShot(0, this, [this] { reload(); });
}

// ----------------------------------------------------------- selection

void InfoBoxView::selectionChanged(InfoBoxForm&) { showFormSelection(); }

void InfoBoxView::showFormSelection() {
    if (!form_) return;
    const int start = editor_->toQt(form_->selectionStart());
    const int end = editor_->toQt(form_->selectionStart() + form_->selectionLength());
    QTextCursor cursor = editor_->textCursor();
    // The same range: keep the end the user extends it from.
    if (cursor.selectionStart() != start || cursor.selectionEnd() != end) {
        ++updating_;
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        editor_->setTextCursor(cursor);
        --updating_;
    }
    // The user sees where he clicked; a caret moved by an edit or a report is brought into view.
    if (!userMoving_ && !scrollPending_) {
        // Once per burst of appends, after the layout caught up.
        scrollPending_ = true;
        QTimer::singleShot(0, this, [this] {
            scrollPending_ = false;
            editor_->ensureCursorVisible();
        });
    }
}

void InfoBoxView::userMovedSelection() {
    if (updating_ || !form_) return;
    const QTextCursor cursor = editor_->textCursor();
    const long long start = editor_->toCore(cursor.selectionStart());
    const long long end = editor_->toCore(cursor.selectionEnd());
    if (start == form_->selectionStart() && end - start == form_->selectionLength()) return;
    userMoving_ = true;
    form_->setSelection(start, end - start);
    userMoving_ = false;
}

QWidget* createInfoBoxView(Form& form, UiContext& context, QWidget* parent) {
    if (auto* box = dynamic_cast<InfoBoxForm*>(&form)) return new InfoBoxView(*box, context, parent);
    return new FormView(form, context, parent);
}

}  // namespace ravelin
