#include "documents/ChartDocuments.h"

#include "core/FileMessages.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/SaveDialog.h"
#include "documents/PrintOutput.h"
#include "spacing/ChartExport.h"
#include "spacing/HistoForm.h"

namespace ravelin {

namespace {

const char* const kSaveFilterChart =
    "Windows bitmap (*.bmp)|*.bmp|PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

}  // namespace

bool saveChart(Form& window) {
    auto* chart = dynamic_cast<HistoForm*>(&window);
    if (!chart) return false;
    FileDialogRequest request{"Ravelin - Save", kSaveFilterChart, "", 1, false, true};
    const auto path = chooseSaveFile(window.platform(), request);
    if (!path) return false;
    const std::string target = chartFileName(*path);
    std::string error;
    if (exportChart(*chart, target, &error)) return true;
    tellSaveFailed(window.session(), target, error);
    return false;
}

PrintContent chartPrintout(const HistoForm& chart) { return drawingPrintout(ChartPicture(chart)); }

bool printChart(Form& window) {
    auto* chart = dynamic_cast<HistoForm*>(&window);
    if (!chart) return false;
    return printContent(window.session(), window.caption(), chartPrintout(*chart));
}

namespace {

std::vector<PropertyLine> chartProperties(const Form& window) {
    const auto* found = dynamic_cast<const HistoForm*>(&window);
    if (!found) return {};
    const HistoForm& chart = *found;
    if (const HistoForm::HistogramContent* histogram = chart.histogram()) {
        const HistogramFigures& figures = histogram->figures;
        return {{"Chart", "Histogram"},
                {"Number of values", std::to_string(figures.n)},
                {"Classes", std::to_string(figures.classes)},
                {"Class interval", IntervalText(figures.interval)}};
    }
    if (const HistoForm::VariogramContent* variogram = chart.variogram()) {
        return {{"Chart", "Variogram"},
                {"Lags", std::to_string(variogram->gamma.size())},
                {"Window width", generalNumber(variogram->width)}};
    }
    return {{"Chart", "Nothing drawn yet"}};
}

DocumentKind chartKind(const char* name, const char* title, const char* captionPrefix, const char* printQuestion) {
    DocumentKind kind;
    kind.name = name;
    kind.title = title;
    kind.recognisesCaption = captionStartsWith(captionPrefix);
    kind.save = saveChart;
    kind.printQuestion = printQuestion;
    kind.print = [](Form& window) { printChart(window); };
    kind.printout = [](Form& window) { return chartPrintout(dynamic_cast<HistoForm&>(window)); };
    // A chart is drawn again from its datasheet: it holds nothing a file would lose.
    kind.modified = [](const Form&) { return false; };
    kind.properties = chartProperties;
    return kind;
}

}  // namespace

DocumentKind chartDocumentKind() {
    return chartKind("chart", "Chart window", "Hist", "Print a draft copy of the current histogram ?");
}

DocumentKind variogramDocumentKind() {
    return chartKind("variogram", "Chart window", "Vario", "Print a draft copy of the current variogram ?");
}

}  // namespace ravelin
