#pragma once
// What the input sweeps of the calculation windows share: random and extreme
// texts to type (empty, a sign alone, the largest and smallest exponents,
// the words of non-finite numbers, digit strings longer than any number,
// letters, commas), the checks a shown result must pass, and the runner
// that sweeps a group of windows.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/Form.h"
#include "core/NumberText.h"
#include "core/Session.h"
#include "support/TestPlatform.h"

namespace ravelin::testing {

// Texts that every field meets in a sweep, whatever its range.
inline const std::vector<std::string>& extremeTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all = {"",       "-",     ".",    "+",   "e",     "abc",      "12abc",       "1,5",
                                        ",",      "0",     "-0",   "-5",  "1e308", "-1e308",   "1e-308",      "1e400",
                                        "-1e400", "nan",   "-nan", "inf", "-inf",  "Infinity", "0.000000001", "  7",
                                        "+3",     "1 000", "0x10", "1e",  "1e+",   "\xC2\xB0"};
        all.push_back(std::string(20, '9'));
        all.push_back(std::string(400, '9'));  // longer than any number
        all.push_back("0." + std::string(400, '0') + "1");
        return all;
    }();
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

// A random element of a list that is not empty.
template <class T>
const T& pick(std::mt19937& random, const std::vector<T>& items) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
}

// Focus, replace the text, leave: as a user typing into a field and tabbing away.
inline void typeInto(Form& form, Control& field, const std::string& text) {
    form.userFocus(field);
    form.userType(field, text);
    form.userLeave();
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
    void reportAppended(const ReportBlock& block, ReportTarget target) override {
        if (target == ReportTarget::InfoBox) text += block.text;
    }
    std::string text;

private:
    Session& session_;
};

// The values a field accepts. A value outside them is told once and the
// field is brought within them; with `quietAbove`, values above `maximum`
// are brought down without a word; with `keepsText`, any text is kept as
// typed and nothing is told.
struct InputRange {
    double minimum = 0;
    double maximum = std::numeric_limits<double>::infinity();
    bool quietAbove = false;
    bool keepsText = false;
};

// What a step of a sweep did, and how many messages it must give when the
// sweep counts them.
struct SweepStep {
    std::string described;
    std::size_t told = 0;
};

// A step of the windows' own, and how often it comes against the others.
struct SweepAction {
    int weight;
    std::function<SweepStep()> run;
};

struct SweepButton {
    Form* window;
    Control* button;
    bool reports = false;  // it must write into the Info box
};

// A sweep of a group of windows: random and extreme texts typed into their
// fields in random order, between random check boxes, option buttons,
// pages, the buttons named and the windows' own steps. Every field typed
// into ends within its range, each entry beyond it told; read-only boxes
// show only what the windows allow; no message or report shows a
// non-finite number, nor a report the Symbol font's raw characters.
struct Sweep {
    std::vector<Form*> windows;
    std::vector<std::string> ownTexts;                // their limits and the limits' neighbours
    double low = -50, high = 400;                     // the span of the random numbers typed
    std::function<bool(const Control&)> swept;        // the fields and toggles used; unset: all
    std::function<InputRange(const Control&)> range;  // of every field typed into
    std::function<bool(const Control&)> acceptable;   // what a read-only box may show; unset: anything
    // What may be told; unset: only the range checks, each exactly once.
    std::function<bool(const MessageRequest&)> mayTell;
    std::vector<SweepButton> buttons;
    std::vector<SweepAction> actions;
    std::function<void(const std::string& step)> check;  // more to check after every step
    int typing = 70, toggling = 10, paging = 10, clicking = 10;

    // `steps` random steps, up to the first failure: one clear failure rather than hundreds.
    void run(TestPlatform& platform, Session& session, std::mt19937& random, int steps) const {
        ReportRecorder report(session);
        std::vector<std::pair<Form*, Control*>> inputs, tabs;
        std::vector<SweepButton> toggles;
        std::vector<Control*> results;
        for (Form* window : windows) {
            for (const auto& c : window->controls()) {
                const ControlKind kind = c->kind();
                if (kind == ControlKind::TextBox && c->readOnly()) results.push_back(c.get());
                if (kind == ControlKind::TabStrip) tabs.push_back({window, c.get()});
                if (swept && !swept(*c)) continue;
                if (kind == ControlKind::TextBox && !c->readOnly()) inputs.push_back({window, c.get()});
                if (kind == ControlKind::CheckBox || kind == ControlKind::OptionButton)
                    toggles.push_back({window, c.get()});
            }
        }
        auto click = [&](const std::vector<SweepButton>& among) -> SweepStep {
            const SweepButton& b = pick(random, among);
            b.window->userClick(*b.button);
            EXPECT_TRUE(!b.reports || !report.text.empty()) << b.button->key() << " wrote nothing";
            return {"clicking " + b.button->key()};
        };
        std::vector<SweepAction> all = actions;
        all.push_back({inputs.empty() ? 0 : typing, [&] { return type(random, inputs); }});
        all.push_back({toggles.empty() ? 0 : toggling, [&] { return click(toggles); }});
        all.push_back({buttons.empty() ? 0 : clicking, [&] { return click(buttons); }});
        all.push_back({tabs.empty() ? 0 : paging, [&]() -> SweepStep {
                           const auto& [window, strip] = pick(random, tabs);
                           const int page = std::uniform_int_distribution<int>(1, int(strip->tabs().size()))(random);
                           window->userSelectTab(*strip, page);
                           return {window->name() + " page " + std::to_string(page)};
                       }});
        int total = 0;
        for (const SweepAction& a : all) total += a.weight;
        for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) {
            const std::size_t before = platform.told().size();
            report.text.clear();
            int chosen = std::uniform_int_distribution<int>(0, total - 1)(random);
            SweepStep step;
            for (const SweepAction& a : all) {
                if ((chosen -= a.weight) >= 0) continue;
                step = a.run();
                break;
            }
            const std::vector<MessageRequest>& told = platform.told();
            EXPECT_TRUE(mayTell || told.size() - before == step.told)
                << step.described << " told " << told.size() - before;
            for (std::size_t m = before; m < told.size(); ++m) {
                EXPECT_TRUE(!mayTell || mayTell(told[m])) << step.described << ": " << told[m].text;
                EXPECT_FALSE(mentionsNonFinite(told[m].text)) << step.described << ": " << told[m].text;
            }
            EXPECT_FALSE(mentionsNonFinite(report.text)) << step.described << " wrote " << report.text;
            EXPECT_EQ(report.text.find("® +¥"), std::string::npos) << step.described << " wrote " << report.text;
            for (const Control* box : results) {
                EXPECT_TRUE(!acceptable || acceptable(*box))
                    << box->key() << " shows '" << box->text() << "' after " << step.described;
            }
            if (check) check(step.described);
        }
    }

private:
    SweepStep type(std::mt19937& random, const std::vector<std::pair<Form*, Control*>>& inputs) const {
        const auto& [window, field] = pick(random, inputs);
        // Whole multiples of 15 make equal, opposite and perpendicular planes likely.
        const std::string typed = randomSweepText(random, ownTexts, 15, low, high);
        const std::string before = field->text();
        const bool enabled = field->enabled();
        const InputRange r = range(*field);
        const double value = readNumber(typed);
        SweepStep step{"typing '" + typed + "' into " + field->key()};
        step.told = enabled && !r.keepsText && (value < r.minimum || (value > r.maximum && !r.quietAbove));
        typeInto(*window, *field, typed);
        const double left = readNumber(field->text());
        if (!enabled) {
            EXPECT_EQ(field->text(), before) << step.described << " changed a disabled field";
        } else if (r.keepsText) {
            EXPECT_EQ(field->text(), typed) << step.described;
        } else {
            EXPECT_TRUE(left >= r.minimum && left <= r.maximum) << step.described << " left " << field->text();
        }
        return step;
    }
};

}  // namespace ravelin::testing
