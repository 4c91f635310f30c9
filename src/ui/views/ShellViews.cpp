#include "ui/views/ShellViews.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Form.h"
#include "ui/FormBinder.h"
#include "ui/Icons.h"
#include "ui/UiContext.h"
#include "ui/views/AcquisitionView.h"
#include "ui/views/InfoBoxView.h"
#include "ui/views/ChartView.h"
#include "ui/views/DatasheetView.h"
#include "ui/views/DataGridView.h"
#include "ui/views/ProjectionOptionsView.h"
#include "ui/views/ProjectionView.h"

namespace ravelin {

namespace {

// The dialog's "OK" (cmdOK) at the right of its last row.
QHBoxLayout* okRow(Form& form, FormBinder& binder, QWidget* view) {
    auto* ok = new QPushButton(view);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    binder.bind(form.at("cmdOK"), ok);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    return buttons;
}

}  // namespace

QWidget* createLogView(Form& form, UiContext&, QWidget* parent) {
    auto* view = new QWidget(parent);
    view->setObjectName(qs(form.name()));
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* text = new QPlainTextEdit(view);
    text->setObjectName("txtLog");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setMinimumSize(360, 30);
    layout->addWidget(text);
    auto* binder = new FormBinder(form, view);
    binder->bind(form.at("txtLog"), text);
    text->moveCursor(QTextCursor::End);
    return view;
}

QWidget* createAboutView(Form& form, UiContext&, QWidget* parent) {
    auto* view = new QWidget(parent);
    view->setObjectName(qs(form.name()));
    view->setAutoFillBackground(true);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, QColor(246, 244, 238));
    view->setPalette(palette);

    auto* layout = new QHBoxLayout(view);
    layout->setContentsMargins(24, 24, 24, 18);
    layout->setSpacing(20);
    auto* icon = new QLabel(view);
    icon->setPixmap(toolbarIcon("Ravelin").pixmap(96, 96));
    icon->setAlignment(Qt::AlignTop);
    layout->addWidget(icon);

    auto* text = new QVBoxLayout;
    auto* binder = new FormBinder(form, view);
    auto label = [&](const char* name) {
        auto* l = new QLabel(view);
        l->setObjectName(name);
        l->setWordWrap(true);
        binder->bind(form.at(name), l);
        text->addWidget(l);
        return l;
    };
    label("lblTitle");
    label("lblVersion");
    label("lblDescription")->setMinimumWidth(300);
    text->addStretch(1);
    text->addLayout(okRow(form, *binder, view));
    layout->addLayout(text, 1);
    return view;
}

QWidget* createPropertiesView(Form& form, UiContext&, QWidget* parent) {
    auto* view = new QWidget(parent);
    view->setObjectName(qs(form.name()));
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(14, 14, 14, 12);
    auto* lines = new QFormLayout;
    lines->setLabelAlignment(Qt::AlignLeft);
    lines->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* binder = new FormBinder(form, view);
    // Wide enough for a path as long as a usual one, never wider than a screen's good part.
    constexpr int kWidestField = 640;
    for (int i = 0; Control* line = form.find("txtProperty", i); ++i) {
        auto* value = new QLineEdit(view);
        value->setReadOnly(true);
        value->setFrame(false);
        value->setStyleSheet("QLineEdit { background: transparent; }");
        binder->bind(*line, value);
        value->setCursorPosition(0);  // a long path shows from its start; the tool tip shows it whole
        value->setToolTip(value->text());
        QObject::connect(value, &QLineEdit::textChanged, value,
                         [value](const QString& text) { value->setToolTip(text); });
        value->setMinimumWidth(std::min(kWidestField, value->fontMetrics().horizontalAdvance(value->text()) + 12));
        lines->addRow(qs(line->description() + " :"), value);
    }
    layout->addLayout(lines);
    layout->addLayout(okRow(form, *binder, view));
    return view;
}

void registerAllViews(UiContext& context) {
    context.registerView("frmLog", createLogView, WindowKind::Tool);
    context.registerView("frmAbout", createAboutView, WindowKind::Dialog);
    context.registerView("frmOptions", nullptr, WindowKind::Dialog);
    context.registerView("frmProperties", createPropertiesView, WindowKind::Dialog);
    context.registerView("frmInfoBox", createInfoBoxView, WindowKind::Document);
    context.registerView("frmSpacing", createDatasheetView, WindowKind::Document);
    context.registerView("frmHisto", createChartView, WindowKind::Document);
    context.registerView("frmProj", createProjectionView, WindowKind::Document);
    context.registerView("frmData", createDataGridView, WindowKind::Document);
    context.registerView("frmOptProj", createProjectionOptionsView, WindowKind::Tool);
    context.registerView("frmScan", createAcquisitionView, WindowKind::Document);
}

}  // namespace ravelin
