// Every window as it opens, at densities 1 and 2 (see CMakeLists.txt): on
// each page nothing is cut or reaches out of its parent, no two controls
// overlap, a result box shows its widest message whole and a longer text in
// its tool tip. RAVELIN_SCREENSHOTS=folder saves each page.

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <functional>

#include "UiTestSupport.h"
#include "documents/DocumentCommands.h"
#include "documents/PropertiesForm.h"
#include "ui/FormBinder.h"
#include "ui/views/CanvasView.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

// How a window is opened as a user opens it; a modal one is then shown by the test.
struct WindowCase {
    const char* form;
    std::function<void(Desktop&)> open;
    bool modal = false;
};

std::function<void(Desktop&)> menu(const char* item) {
    return [item](Desktop& d) { d.window->action(item)->trigger(); };
}

SpacingForm& datasheetWithValues(Desktop& d) {
    SpacingForm& sheet = d.newDatasheet({"0.4", "1.1", "0.7", "2.3", "0.9", "1.6", "3.2", "0.2", "1.3"});
    sheet.setText("txtComment", -1, "North face, joint set J1");  // the chart's title from it
    return sheet;
}

const std::vector<WindowCase>& windows() {
    // The projection tool gives its notice, then shows its three windows together.
    const auto projection = [](Desktop& d) {
        d.window->action("mnuToolsProjections")->trigger();
        QCOMPARE(d.platform.told().size(), size_t(1));
    };
    static const std::vector<WindowCase> list = {
        {"frmMain", nullptr},  // the main window itself
        {"frmLog", menu("mnuViewEventLog")},
        {"frmToolXYZ", menu("mnuToolsXYZ")},
        {"frmToolSpacing", menu("mnuToolsSpacing")},
        {"frmToolVol", menu("mnuToolsVol")},
        {"frmModGeom", menu("mnuModelsGeomec")},
        {"frmModProb", menu("mnuModelsProb")},
        {"frmHistoTools", menu("mnuViewHistoOptions")},
        {"frmInfoBox",
         [](Desktop& d) {
             d.session.appendInfoText({"Wedge failure", 1, 14, ""});
             d.session.appendInfoText(
                 {"\r\nF = safety factor : 1.32\r\nFailure mode : Sliding on line of intersection", 0, 0, ""});
         }},
        {"frmSpacing", [](Desktop& d) { datasheetWithValues(d); }},
        {"frmHisto",
         [](Desktop& d) {
             SpacingForm& sheet = datasheetWithValues(d);
             sheet.userClick(sheet.at("cmdHisto"));
         }},
        {"frmScan",
         [](Desktop& d) {
             // The example acquisition with its photograph, traces, scanline, rectangle and contour.
             static QTemporaryDir folder;
             for (const char* name : {"rock-face.dgt", "rock-face.png"})
                 QFile::copy(QString(RAVELIN_SOURCE_DIR) + "/examples/" + name, folder.filePath(name));
             OpenDocumentFile(d.session, folder.filePath("rock-face.dgt").toStdString());
         }},
        {"frmData", projection},
        {"frmOptProj", projection},
        {"frmProj", projection},
        {"frmProperties",
         [](Desktop& d) {
             // As File > Properties fills it for a datasheet.
             const SpacingForm& sheet = datasheetWithValues(d);
             auto& dialog = dynamic_cast<PropertiesForm&>(d.session.createForm("frmProperties"));
             dialog.fill(UnmarkedCaption(sheet), DocumentPropertyLines(sheet));
         },
         true},
        {"frmAbout", nullptr, true},
        {"frmOptions", nullptr, true},
    };
    return list;
}

double expectedScale() { return qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble(); }

// The room a line field gives its text, as QLineEdit paints it: the style's
// contents rectangle less the text margins and the 2-pixel inner margins.
int textRoom(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    return contents.marginsRemoved(edit.textMargins()).width() - 2 * 2;
}

bool fits(const QLineEdit& edit) { return edit.fontMetrics().horizontalAdvance(edit.text()) <= textRoom(edit); }

// Widgets that draw their own text or frame; containers are judged by their children.
bool isControl(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QGroupBox*>(w) ||
           qobject_cast<const QTabBar*>(w) || qobject_cast<const QAbstractScrollArea*>(w);
}

// Inside these, Qt places its own parts (tab scrollers, toolbar extension,
// scrolled contents) and may overlap them on purpose.
bool placedByQt(const QWidget* parent, const QWidget* root) {
    for (const QWidget* p = parent; p && p != root; p = p->parentWidget()) {
        if (qobject_cast<const QTabBar*>(p) || qobject_cast<const QToolBar*>(p) ||
            qobject_cast<const QAbstractScrollArea*>(p) || p->objectName().startsWith("qt_"))
            return true;
    }
    return false;
}

// Whether `w` belongs to `root` itself rather than to a window of its own inside it.
bool inWindow(const QWidget* w, const QWidget* root) {
    for (const QWidget* p = w; p && p != root; p = p->parentWidget())
        if (p->isWindow() || qobject_cast<const QMdiSubWindow*>(p)) return false;
    return true;
}

QString describe(const QWidget* w) {
    return QString::asprintf("%s '%s' %dx%d at %d,%d", w->metaObject()->className(), qPrintable(w->objectName()),
                             w->width(), w->height(), w->x(), w->y());
}

// What a widget needs to show itself whole.
QSize needed(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull())
        return label->sizeHint();
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) ||
        qobject_cast<const QPushButton*>(w))
        return w->sizeHint();
    return w->minimumSizeHint();
}

void checkControls(QWidget* window, const QString& where) {
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    std::map<QWidget*, std::vector<QWidget*>> byParent;
    for (QWidget* w : all) {
        if (!w->isVisibleTo(window) || !isControl(w) || !inWindow(w, window)) continue;
        QWidget* parent = w->parentWidget();
        if (!parent || placedByQt(parent, window)) continue;
        const QSize need = needed(w);
        QVERIFY2(w->width() >= need.width() && w->height() >= need.height(),
                 qPrintable(where + ": " + describe(w) + QString(" needs %1x%2").arg(need.width()).arg(need.height())));
        QVERIFY2(parent->rect().contains(w->geometry()),
                 qPrintable(where + ": " + describe(w) + " reaches out of " + describe(parent)));
        byParent[parent].push_back(w);
    }
    for (const auto& [parent, children] : byParent)
        for (size_t i = 0; i < children.size(); ++i)
            for (size_t j = i + 1; j < children.size(); ++j) {
                // A chart's labels lie on its drawing surface by design.
                if (qobject_cast<CanvasView*>(children[i]) || qobject_cast<CanvasView*>(children[j])) continue;
                // Controls placed in twips round each edge on its own: a pixel's overlap is that rounding.
                const QRect common = children[i]->geometry().intersected(children[j]->geometry());
                QVERIFY2(common.width() <= 1 || common.height() <= 1,
                         qPrintable(where + ": " + describe(children[i]) + " overlaps " + describe(children[j])));
            }
}

// A result box shows the widest message its window writes, and a text too long for it in its tool tip.
void checkResults(Desktop& d, QWidget* window, const QString& where) {
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (!edit->isReadOnly() || !edit->isVisibleTo(window)) continue;
        FormBinder* binder = nullptr;
        for (QObject* p = edit->parent(); p && !binder; p = p->parent())
            for (FormBinder* b : p->findChildren<FormBinder*>(Qt::FindDirectChildrenOnly))
                if (b->controlFor(edit)) binder = b;
        if (!binder) continue;
        Control& control = *binder->controlFor(edit);
        const std::string before = control.text();
        if (!control.widestText().empty()) {
            binder->form().setText(control, control.widestText());
            QApplication::processEvents();
            QVERIFY2(fits(*edit), qPrintable(where + ": " + describe(edit) + " cuts '" + edit->text() + "'"));
        }
        binder->form().setText(control, std::string(300, '8'));
        QApplication::processEvents();
        QCOMPARE(edit->toolTip(), edit->text());
        binder->form().setText(control, before);
    }
}

void save(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("RAVELIN_SCREENSHOTS");
    if (folder.isEmpty()) return;
    window->grab().save(QString("%1/%2@%3x.png").arg(folder, name).arg(expectedScale()));
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void eachWindowFitsAtThisDensity_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < windows().size(); ++i) QTest::newRow(windows()[i].form) << static_cast<int>(i);
    }

    void eachWindowFitsAtThisDensity() {
        QFETCH(int, index);
        const WindowCase& c = windows()[static_cast<size_t>(index)];
        Desktop d;
        d.window->resize(1200, 800);
        if (c.open) c.open(d);
        bool looked = false;
        auto check = [&](QWidget* window) {
            QVERIFY2(window && window->isVisible(), c.form);
            looked = true;
            QCOMPARE(window->devicePixelRatioF(), expectedScale());
            const QString name = c.form;
            auto* tabs = window->findChild<QTabWidget*>("tbsOptions");
            const int pages = tabs ? tabs->count() : 1;
            for (int page = 0; page < pages; ++page) {
                if (tabs) tabs->setCurrentIndex(page);
                QApplication::processEvents();
                const QString where = pages > 1 ? QString("%1 page %2").arg(name).arg(page + 1) : name;
                checkControls(window, where);
                if (QTest::currentTestFailed()) return;
                checkResults(d, window, where);
                if (QTest::currentTestFailed()) return;
                save(window, pages > 1 ? QString("%1-%2").arg(name).arg(page + 1) : name);
            }
        };
        if (!c.modal) {
            QApplication::processEvents();
            check(c.open ? d.windowOf(c.form) : d.window.get());
        } else {
            // A modal window runs its own event loop (the test platform shows none itself): it is
            // looked at from inside it, then closed.
            Form& window = d.session.form(c.form);
            QTimer::singleShot(0, [&] {
                QApplication::processEvents();
                check(QApplication::activeModalWidget());
                window.hide();
            });
            d.platform.QtPlatform::showModal(window);
        }
        QVERIFY2(looked, c.form);
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
