// ravelin-cli project [FILE|-] --struct lines|poles|planes|smallcircles [--net wulff|schmidt]
//                     [--hemisphere lower|upper] [--cone DEG] [--size WxH] [--contour] [--mean]
//                     [--kinematic SLOPE_DD,SLOPE_DIP,PHI[,LIMIT]] [--kinematic-plot poles|intersections]
//                     [--svg OUT] [--png OUT] [--pdf OUT] [--json]
// FILE holds rows "direction,dip" (comma, tab or blank separated); "-" or
// no FILE reads standard input. The rows go into the data grid, the options
// are set in the options window as a user sets them, and "Replace" plots
// them on a canvas of WxH units (6000x6000 by default). Pictures are the
// window's picture at twice its size, as File > Save writes it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "CliSupport.h"
#include "core/NumberText.h"
#include "projection/DataForm.h"
#include "projection/OptProjForm.h"
#include "projection/ProjForm.h"
#include "projection/ProjectionState.h"

namespace ravelin::cli {

namespace {

constexpr double kDefaultCanvas = 6000;
// The largest side of a canvas (twips): its picture, at twice the size, is then 4,000 pixels wide.
constexpr double kLargestCanvas = 30000;

template <class T>
T choice(const Arguments& parsed, const std::string& option, const std::vector<std::pair<std::string, T>>& choices,
         T fallback) {
    if (!parsed.has(option)) return fallback;
    const std::string value = parsed.value(option);
    std::string names;
    for (const auto& [name, result] : choices) {
        if (name == value) return result;
        names += (names.empty() ? "" : ", ") + name;
    }
    throw UsageError(option + " takes one of " + names);
}

struct CanvasSize {
    double width = kDefaultCanvas;
    double height = kDefaultCanvas;
};

CanvasSize canvasSize(const Arguments& parsed) {
    if (!parsed.has("--size")) return {};
    const std::string text = parsed.value("--size");
    const auto x = text.find('x');
    auto whole = [](const std::string& digits) {
        return !digits.empty() && digits.size() <= 5 &&
               std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (x == std::string::npos || !whole(text.substr(0, x)) || !whole(text.substr(x + 1)))
        throw UsageError("--size takes WIDTHxHEIGHT in canvas units (twips), e.g. 6000x6000");
    const CanvasSize size{std::stod(text.substr(0, x)), std::stod(text.substr(x + 1))};
    if (size.width < 1 || size.height < 1 || size.width > kLargestCanvas || size.height > kLargestCanvas)
        throw UsageError("--size takes a width and a height from 1 to 30000");
    return size;
}

// "185,65,30" or "185,65,30,20": the texts typed into the four kinematic fields.
std::vector<std::string> kinematicArgument(const std::string& text) {
    std::vector<std::string> values;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        values.push_back(text.substr(start, comma - start));
        if (comma == text.size()) break;
        start = comma + 1;
    }
    const bool numbers = std::all_of(values.begin(), values.end(), [](const std::string& v) {
        return hasNumericStart(v) && v.find_first_not_of("0123456789.-+eE") == std::string::npos;
    });
    if ((values.size() != 3 && values.size() != 4) || !numbers)
        throw UsageError("--kinematic takes SLOPE_DD,SLOPE_DIP,PHI[,LIMIT] in degrees");
    return values;
}

std::string readInput(const std::string& path) {
    if (path == "-") {
        std::ostringstream bytes;
        bytes << std::cin.rdbuf();
        return bytes.str();
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) throw WorkError("cannot read " + path);
    std::ifstream file(path, std::ios::binary);
    if (!file) throw WorkError("cannot read " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The rows as typed into the grid, which grows to hold them.
void fillGrid(DataForm& data, const std::vector<DataRow>& rows) {
    Grid& grid = data.grid();
    grid.setRedraw(false);
    grid.setRows(std::max<long long>(DataForm::kDataRows, static_cast<long long>(rows.size())) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const long long row = static_cast<long long>(i) + 1;
        grid.setText(row, DataForm::kDirectionColumn, rows[i].direction);
        grid.setText(row, DataForm::kDipColumn, rows[i].dip);
    }
    grid.setRedraw(true);
}

void click(Form& form, const char* name, int index = -1) { form.userClick(form.at(name, index)); }

void setOptions(OptProjForm& options, const Arguments& parsed) {
    const int structure =
        choice<int>(parsed, "--struct", {{"lines", 0}, {"poles", 1}, {"planes", 2}, {"smallcircles", 3}}, 0);
    click(options, "optStruct", structure);
    click(options, "optProj", choice<int>(parsed, "--net", {{"wulff", 0}, {"schmidt", 1}}, 0));
    click(options, "optHemi", choice<int>(parsed, "--hemisphere", {{"lower", 0}, {"upper", 1}}, 0));
    if (parsed.has("--cone")) typeInto(options, options.at("RaySmallCirc"), parsed.value("--cone"));
    if (parsed.has("--contour")) click(options, "chkContour");
    if (parsed.has("--mean")) click(options, "chkMean");
    if (parsed.has("--kinematic")) {
        const std::vector<std::string> values = kinematicArgument(parsed.value("--kinematic"));
        for (std::size_t i = 0; i < values.size(); ++i)
            typeInto(options, options.at("txtKinematic", static_cast<int>(i)), values[i]);
        click(options, "optKinematicPlot",
              choice<int>(parsed, "--kinematic-plot", {{"poles", 0}, {"intersections", 1}}, 0));
        click(options, "chkKinematic");
    }
}

Json pointJson(const NetPoint& p) { return Json::array({p.x, p.y}); }

Json pathJson(const Polyline& path) {
    Json points = Json::array();
    for (const NetPoint& p : path) points.push_back(pointJson(p));
    return points;
}

Json modeJson(const ModeCount& m) { return {{"critical", m.critical}, {"total", m.total}, {"percent", m.percent()}}; }

Json optionalJson(const std::optional<double>& value) { return value ? Json(*value) : Json(nullptr); }

// The grid row each analysed plane came from, in the order the analysis numbers them.
std::vector<int> analysedRows(const std::vector<PlottedData>& data) {
    std::vector<int> rows;
    for (const PlottedData& d : data)
        if (d.shown)
            for (const Reading& r : d.readings) rows.push_back(r.row);
    return rows;
}

Json kinematicJson(const KinematicPicture& k, const std::vector<int>& rows) {
    const KinematicResult& r = k.result;
    Json result = {{"planar", modeJson(r.planar)},
                   {"wedge_primary", modeJson(r.wedgePrimary)},
                   {"wedge_secondary", modeJson(r.wedgeSecondary)},
                   {"toppling", modeJson(r.toppling)},
                   {"wedges_skipped", r.wedgesSkipped}};
    Json critical = nullptr;
    if (r.mostCriticalPair) {
        auto plane = [&](std::size_t i) {
            const Plane p = normalisedPlane(k.planes[i]).value_or(k.planes[i]);
            return Json::array({p.dipDirection, p.dip});
        };
        const PlanePair& pair = *r.mostCriticalPair;
        critical = {{"planes", Json::array({plane(pair.first), plane(pair.second)})},
                    {"rows", Json::array({rows.at(pair.first), rows.at(pair.second)})},
                    {"intersection", Json::array({pair.intersection.trend, pair.intersection.plunge})}};
    }
    result["most_critical"] = critical;
    return result;
}

Json pictureJson(const CliSession& cli, const NetPicture& picture, const std::vector<PlottedData>& data) {
    Json result;
    result["center"] = Json::array({picture.view.cx(), picture.view.cy()});
    result["radius"] = picture.view.radius();
    Json points = Json::array();
    Json curves = Json::array();
    for (const PlottedLayer& layer : picture.layers) {
        for (const NetPoint& p : layer.points) points.push_back(pointJson(p));
        for (const Polyline& curve : layer.curves) curves.push_back(pathJson(curve));
    }
    result["points"] = points;
    result["curves"] = curves;
    if (picture.contours || picture.contoursNeedSchmidt) {
        Json contours = Json::array();
        Json legend = nullptr;
        if (picture.contours) {
            for (const ContourLevel& level : picture.contours->contours) {
                Json paths = Json::array();
                for (const Polyline& path : level.paths) paths.push_back(pathJson(path));
                contours.push_back({{"level", level.level}, {"paths", paths}});
            }
            const DensityLegend& l = picture.contours->legend;
            legend = {{"n", l.n},
                      {"counting_area", l.countingArea},
                      {"expected_sigma", l.expectedSigma},
                      {"maximum_sigma", l.maximumSigma},
                      {"level_step", l.levelStep}};
        }
        result["contours"] = contours;
        result["contour_legend"] = legend;  // null on the Wulff net, where no contours are drawn
    }
    if (picture.mean) {
        const FisherStatistics& s = picture.mean->statistics;
        result["mean"] = {{"trend", s.mean ? Json(s.mean->trend) : Json(nullptr)},
                          {"plunge", s.mean ? Json(s.mean->plunge) : Json(nullptr)},
                          {"K", optionalJson(s.kappa)},
                          {"alpha95", optionalJson(s.alpha95)},
                          {"n", s.n},
                          {"R", s.resultantLength},
                          {"axes", picture.mean->kind == FisherData::Axes}};
    }
    if (picture.kinematic) result["kinematic"] = kinematicJson(*picture.kinematic, analysedRows(data));
    result["messages"] = cli.messagesJson();
    return result;
}

std::string percentText(const ModeCount& m) {
    return std::to_string(m.critical) + " of " + std::to_string(m.total) + " (" + formatNumber(m.percent(), "0.0") +
           " %)";
}

void printPicture(const CliSession& cli, const NetPicture& picture, std::ostream& out) {
    const NetView& v = picture.view;
    out << (v.net() == NetKind::Wulff ? "Wulff" : "Schmidt") << " net, "
        << (v.hemisphere() == Hemisphere::Lower ? "lower" : "upper") << " hemisphere: centre (" << generalNumber(v.cx())
        << ", " << generalNumber(v.cy()) << "), radius " << generalNumber(v.radius()) << "\n";
    std::size_t points = 0, curves = 0;
    for (const PlottedLayer& layer : picture.layers) {
        points += layer.points.size();
        curves += layer.curves.size();
    }
    out << "points: " << points << ", curves: " << curves << "\n";
    if (picture.contoursNeedSchmidt) out << "contours: drawn on the Schmidt net only\n";
    if (picture.contours) {
        const DensityLegend& l = picture.contours->legend;
        out << "contours: " << l.levels.size() << " levels every " << generalNumber(l.levelStep)
            << " sigma, highest density " << formatNumber(l.maximumSigma, "0.0") << " sigma\n";
    }
    if (picture.mean && picture.mean->statistics.mean) {
        const FisherStatistics& s = picture.mean->statistics;
        out << "mean: trend " << formatNumber(s.mean->trend, "0.0") << ", plunge "
            << formatNumber(s.mean->plunge, "0.0") << ", K " << (s.kappa ? formatNumber(*s.kappa, "0.0") : "-")
            << ", alpha95 " << (s.alpha95 ? formatNumber(*s.alpha95, "0.0") : "-") << ", n " << s.n << "\n";
    }
    if (picture.kinematic) {
        const KinematicResult& r = picture.kinematic->result;
        out << "planar sliding: " << percentText(r.planar) << "\n";
        if (r.wedgesSkipped) {
            out << "wedge sliding: not analysed beyond " << kMaxWedgePlanes << " planes\n";
        } else {
            out << "wedge sliding, primary zone: " << percentText(r.wedgePrimary) << "\n";
            out << "wedge sliding, secondary zone: " << percentText(r.wedgeSecondary) << "\n";
        }
        out << "flexural toppling: " << percentText(r.toppling) << "\n";
    }
    cli.printMessages(out);
}

int runProject(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments parsed = parseArguments(args,
                                            {"--struct", "--net", "--hemisphere", "--cone", "--size", "--kinematic",
                                             "--kinematic-plot", "--svg", "--png", "--pdf"},
                                            {"--contour", "--mean", "--json"});
    if (parsed.positional.size() > 1) throw UsageError("project reads one FILE, or - for standard input");
    if (!parsed.has("--struct")) throw UsageError("project needs --struct lines|poles|planes|smallcircles");
    const std::vector<std::string> pictures = pictureOutputs(parsed, {"png", "svg", "pdf"});
    const CanvasSize size = canvasSize(parsed);
    if (parsed.has("--kinematic")) kinematicArgument(parsed.value("--kinematic"));
    if (parsed.has("--kinematic-plot") && !parsed.has("--kinematic"))
        throw UsageError("--kinematic-plot goes with --kinematic");
    if (parsed.has("--cone") && !hasNumericStart(parsed.value("--cone")))
        throw UsageError("--cone takes the cone angle in degrees");

    const std::string text = readInput(parsed.positional.empty() ? "-" : parsed.positional.front());
    CliSession cli;
    auto& data = cli.session.form<DataForm>("frmData");
    fillGrid(data, splitDataText(text));
    auto& plot = cli.session.form<ProjForm>("frmProj");
    plot.resizeCanvas(size.width, size.height);
    auto& options = cli.session.form<OptProjForm>("frmOptProj");
    setOptions(options, parsed);
    click(options, "cmdPlot");

    const bool plotted = !cli.session.moduleState<ProjectionState>().error;
    if (plotted) {
        for (const std::string& path : pictures) {
            std::string error;
            if (!plot.exportTo(path, &error))
                throw WorkError("cannot write " + path + (error.empty() ? "" : ": " + error));
        }
    }
    if (parsed.has("--json")) writeJson(out, pictureJson(cli, plot.picture(), plot.data()));
    else printPicture(cli, plot.picture(), out);
    if (!plotted) {
        std::cerr << "ravelin-cli: no structural data to plot\n";
        return 1;
    }
    return 0;
}

}  // namespace

Command projectCommand() {
    return {"project",
            "project [FILE|-] --struct lines|poles|planes|smallcircles [--net wulff|schmidt]\n"
            "            [--hemisphere lower|upper] [--cone DEG] [--size WxH (canvas units)] [--contour] [--mean]\n"
            "            [--kinematic SLOPE_DD,SLOPE_DIP,PHI[,LIMIT]] [--kinematic-plot poles|intersections]\n"
            "            [--png OUT] [--svg OUT] [--pdf OUT] [--json]",
            runProject};
}

}  // namespace ravelin::cli
