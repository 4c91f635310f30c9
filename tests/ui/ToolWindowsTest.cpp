// The spacing and volume tools in their windows: what only a widget can
// show (the infinity sign of a Symbol-font field, without a Symbol font;
// fields lined up across frames), and the three-set page answering a press.
//
// With RAVELIN_SCREENSHOTS set to a folder, every page of both windows is
// also saved there as a PNG, for looking at the layout.

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include "UiTestSupport.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

void saveEveryPage(Desktop& d, const std::string& formName) {
    const QString folder = qEnvironmentVariable("RAVELIN_SCREENSHOTS");
    if (folder.isEmpty()) return;
    auto* tabs = d.find<QTabWidget>(formName, "tbsOptions");
    QWidget* window = d.windowOf(formName);
    for (int page = 0; tabs && page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        window->grab().save(QString("%1/%2-%3.png").arg(folder, QString::fromStdString(formName)).arg(page + 1));
    }
}

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void infiniteThresholdIsDrawnAsArrowPlusAndInfinity() {
        Desktop d;
        d.window->action("mnuToolsSpacing")->trigger();
        QWidget* tool = d.windowOf("frmToolSpacing");
        QVERIFY(tool && tool->isVisible());
        auto* probability = d.find<QLineEdit>("frmToolSpacing", "txtDistrDisc(4)");
        auto* threshold = d.find<QLineEdit>("frmToolSpacing", "txtResDD(3)");
        QVERIFY(probability && threshold);
        const QFont usual = threshold->font();
        // Frames stacked in a column start their fields at one edge.
        auto left = [&](const char* key) { return d.find<QWidget>("frmToolSpacing", key)->mapTo(tool, QPoint()).x(); };
        QCOMPARE(left("txtDistrDisc(0)"), left("txtDistrDisc(1)"));
        QCOMPARE(left("txtDistrDisc(3)"), left("txtResDD(3)"));

        QApplication::setActiveWindow(tool);
        probability->setFocus();
        QTRY_VERIFY(probability->hasFocus());
        QTest::keyClicks(probability, "100");
        QCOMPARE(threshold->text(), QString::fromUtf8("→ +∞ "));
        QCOMPARE(threshold->font().family(), usual.family());  // no Symbol font needed
        // The face has the signs: nothing falls back to a missing-glyph box.
        for (char32_t sign : {U'→', U'∞'}) QVERIFY(QFontMetrics(threshold->font()).inFontUcs4(sign));

        QTest::keyClick(probability, Qt::Key_Backspace);  // 10 %
        QCOMPARE(threshold->text(), QString("0.00"));
        auto* spacing = d.find<QLineEdit>("frmToolSpacing", "txtDistrDisc(0)");
        spacing->setFocus();
        QTRY_VERIFY(spacing->hasFocus());
        QTest::keyClicks(spacing, "20");
        QCOMPARE(threshold->text(), QString("2.11"));  // -20 ln 0.9
        QCOMPARE(threshold->font(), usual);

        saveEveryPage(d, "frmToolSpacing");
        d.window->action("mnuToolsVol")->trigger();
        saveEveryPage(d, "frmToolVol");
    }

    void threeSetPageTellsItsSchemeIsUnderTestingWhenPressed() {
        Desktop d;
        d.window->action("tbToolBar(17)")->trigger();  // "DiscSpac"
        auto* tabs = d.find<QTabWidget>("frmToolSpacing", "tbsOptions");
        QVERIFY(tabs);
        QCOMPARE(tabs->tabToolTip(4), QString("Connectivity net formed by 3 families (p. 80)"));
        tabs->setCurrentIndex(4);
        QVERIFY(d.platform.told().empty());  // the tab alone says nothing

        auto* results = d.find<QWidget>("frmToolSpacing", "fraC4(4)");
        QVERIFY(results && results->isVisible());
        QTest::mouseClick(results, Qt::LeftButton, {}, QPoint(5, results->height() - 5));
        QCOMPARE(d.platform.told().size(), size_t(1));
        QCOMPARE(d.platform.told()[0].title, std::string("Not available"));

        // A press into a field is typing there, not a press on the page.
        QTest::mouseClick(d.find<QLineEdit>("frmToolSpacing", "txtC4(0)"), Qt::LeftButton);
        QCOMPARE(d.platform.told().size(), size_t(1));
        tabs->setCurrentIndex(3);
        QTest::mouseClick(d.find<QWidget>("frmToolSpacing", "fraC24(0)"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(d.platform.told().size(), size_t(1));
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "ToolWindowsTest.moc"
