#include "tools/VolumeReport.h"

#include "core/NumberText.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string plain(double value) { return generalNumber(value); }
std::string degrees(double value) { return formatNumber(value, "00°"); }

// Title, italic subtitle at 9 points, the characteristics, then the volume.
std::vector<ReportBlock> report(const std::string& title, const std::string& subtitle, const std::string& lines,
                                const std::string& volumeText) {
    return {
        titleBlock(title),
        {kCrLf + subtitle, style::Italic, 9, ""},
        headingBlock(std::string(kCrLf) + kCrLf + "Discontinuity sets characteristics"),
        bodyBlock(kCrLf + lines + kCrLf),
        headingBlock("Volume estimation"),
        bodyBlock(kCrLf + std::string("Compartment mean volume : ") + volumeText + kCrLf + kCrLf + kCrLf),
    };
}

std::string line(const std::string& label, const std::string& value) { return label + " : " + value + kCrLf; }

}  // namespace

std::vector<ReportBlock> TwoSetVolumeReport(const TwoSetInput& in, const std::string& volumeText) {
    return report("Volume estimation from 2 discontinuity sets",
                  "Mean spacing and mean persistance of the 2 sets + angle between the two sets",
                  line("Mean spacing of set 1", plain(in.spacing1)) +
                      line("Mean persistance of set 1", plain(in.persistence1)) +
                      line("Mean spacing of set 2", plain(in.spacing2)) +
                      line("Mean persistance of set 2", plain(in.persistence2)) +
                      line("Angle between set 1 and set 2", degrees(in.angle)),
                  volumeText);
}

std::vector<ReportBlock> FracturationVolumeReport(const FracturationInput& in, const std::string& volumeText) {
    return report("Volume estimation from 2 discontinuity sets and a direction of fracturation",
                  std::string("Mean spacing of the 2 sets + angle between the two sets + apparent frequency") + kCrLf +
                      "of the fracturation in a direction perpendicular to the intersection of set 1 and 2",
                  line("Mean spacing of set 1", plain(in.spacing1)) +
                      line("Mean spacing of set 2", plain(in.spacing2)) +
                      line("Angle between set 1 and set 2", degrees(in.angle)) +
                      line("Apparent frequency of the fracturation", plain(in.frequency)),
                  volumeText);
}

std::vector<ReportBlock> ThreeSetVolumeReport(const std::array<PrismSet, 3>& sets, const std::string& volumeText) {
    std::string lines;
    for (size_t i = 0; i < 3; ++i) {
        const std::string set = " of set " + std::to_string(i + 1);
        lines += line("Mean spacing" + set, plain(sets[i].spacing)) +
                 line("Dip direction" + set, formatNumber(sets[i].dipDirection, "000°")) +
                 line("Dip angle" + set, degrees(sets[i].dip));
    }
    return report("Volume estimation from 3 discontinuity sets",
                  "Mean spacing, dip direction and dip angle of the 3 sets", lines, volumeText);
}

}  // namespace ravelin
