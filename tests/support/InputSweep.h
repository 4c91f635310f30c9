#pragma once
// What the input sweeps of the calculation windows share: random and extreme
// texts to type (empty, a sign alone, the largest and smallest exponents,
// the words of non-finite numbers, digit strings longer than any number,
// letters, commas), and the checks a shown result must pass.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/NumberText.h"
#include "core/Session.h"

namespace ravelin::testing {

// Texts that every field meets in a sweep, whatever its range.
inline const std::vector<std::string>& extremeTexts() {
    static const std::vector<std::string> texts = {"",
                                                   "-",
                                                   ".",
                                                   "+",
                                                   "e",
                                                   "abc",
                                                   "12abc",
                                                   "1,5",
                                                   ",",
                                                   "0",
                                                   "-0",
                                                   "-5",
                                                   "1e308",
                                                   "-1e308",
                                                   "1e-308",
                                                   "1e400",
                                                   "-1e400",
                                                   "nan",
                                                   "-nan",
                                                   "inf",
                                                   "-inf",
                                                   "Infinity",
                                                   "99999999999999999999",
                                                   std::string(400, '9'),
                                                   "0." + std::string(400, '0') + "1",
                                                   "0.000000001",
                                                   "  7",
                                                   "+3",
                                                   "1 000",
                                                   "0x10",
                                                   "1e",
                                                   "1e+",
                                                   "\xC2\xB0"};
    return texts;
}

// A random text: an extreme one, one of the window's own texts (its limits
// and their neighbours), a whole multiple of `step` between 0 and 24 steps,
// or any number between `low` and `high`.
inline std::string randomSweepText(std::mt19937& random, const std::vector<std::string>& ownTexts, double step,
                                   double low, double high) {
    const int kind = std::uniform_int_distribution<int>(0, 4)(random);
    const std::vector<std::string>& pool = kind == 0 || ownTexts.empty() ? extremeTexts() : ownTexts;
    if (kind < 3) return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    if (kind == 3) return generalNumber(step * std::uniform_int_distribution<int>(0, 24)(random));
    return generalNumber(std::uniform_real_distribution<double>(low, high)(random));
}

// A report or a field that shows a non-finite number in words.
inline bool mentionsNonFinite(const std::string& text) {
    static const std::regex word(R"((^|[^A-Za-z])(inf|nan)([^A-Za-z]|$))", std::regex::icase);
    return std::regex_search(text, word);
}

// A number as the windows show one: digits with an optional sign, decimals,
// thousands marks (') and exponent ("1.5E+20"); never "inf" or "nan".
inline bool isFiniteNumberText(const std::string& text) {
    static const std::regex number(R"(-?[0-9][0-9']*(\.[0-9]+)?(E[+-]?[0-9]+)?)");
    return std::regex_match(text, number);
}

// Runs a sweep of `steps` steps, each given a random action from 0 to 99,
// until the first failure: one clear failure rather than hundreds.
template <class Step>
void runSweep(int steps, std::mt19937& random, Step&& step) {
    for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i)
        step(std::uniform_int_distribution<int>(0, 99)(random));
}

// Whether every position a drawing holds is finite.
inline bool drawnFinite(const RecordingCanvas& canvas) {
    auto finite = [](double x, double y) { return std::isfinite(x) && std::isfinite(y); };
    for (const DrawOp& op : canvas.ops()) {
        if (!finite(op.x1, op.y1) || !finite(op.x2, op.y2)) return false;
        for (const DrawPoint& p : op.points)
            if (!finite(p.x, p.y)) return false;
    }
    return true;
}

// The text of every report block written to the Info box while it listens.
class ReportRecorder : public SessionObserver {
public:
    explicit ReportRecorder(Session& session) : session_(session) { session_.addObserver(this); }
    ~ReportRecorder() override { session_.removeObserver(this); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;
    void reportAppended(const ReportBlock& block, ReportTarget target) override {
        if (target == ReportTarget::InfoBox) text += block.text;
    }
    std::string text;

private:
    Session& session_;
};

}  // namespace ravelin::testing
