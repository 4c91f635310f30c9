#include "documents/ChartDocuments.h"

#include "core/FileMessages.h"
#include "core/Platform.h"
#include "core/Session.h"
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
    const auto path = window.platform().saveFileDialog(request);
    if (!path || path->empty()) return false;
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

DocumentKind chartKind(const char* name, const char* captionPrefix, const char* printQuestion) {
    DocumentKind kind;
    kind.name = name;
    kind.recognisesCaption = captionStartsWith(captionPrefix);
    kind.save = saveChart;
    kind.printQuestion = printQuestion;
    kind.print = [](Form& window) { printChart(window); };
    kind.printout = [](Form& window) { return chartPrintout(dynamic_cast<HistoForm&>(window)); };
    return kind;
}

}  // namespace

DocumentKind chartDocumentKind() {
    return chartKind("chart", "Hist", "Print a draft copy of the current histogram ?");
}

DocumentKind variogramDocumentKind() {
    return chartKind("variogram", "Vario", "Print a draft copy of the current variogram ?");
}

}  // namespace ravelin
