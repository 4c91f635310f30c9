#include "spacing/GoodnessOfFit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/triangular.hpp>

#include "core/NumberText.h"

namespace ravelin {

namespace {

namespace policies = boost::math::policies;
// The arguments are checked before use; should one slip through, a NaN is
// reported as "not fitted" rather than thrown out of a button handler.
// Double precision throughout: the statistics need no more, and a million values fit in a fraction of a second.
using NoThrow =
    policies::policy<policies::domain_error<policies::ignore_error>, policies::pole_error<policies::ignore_error>,
                     policies::overflow_error<policies::ignore_error>,
                     policies::evaluation_error<policies::ignore_error>, policies::promote_double<false>>;

// ln(sqrt(2 pi)), the constant of the normal and lognormal log densities.
const double kLogRootTwoPi = 0.5 * std::log(2 * std::numbers::pi);

// A law with its parameters: its distribution function and its log density.
// The log densities are written out because the densities themselves
// underflow to 0 for values far in a tail, where their logarithms are still finite.
struct FittedLaw {
    std::vector<LawParameter> parameters;
    int fittedParameters = 0;
    std::function<double(double)> cdf;
    std::function<double(double)> logDensity;
};

std::string fixed(double value) { return formatNumber(value, "0.0000"); }

// The law as the chart draws it, or the reason it cannot be fitted.
std::optional<FittedLaw> lawAsDrawn(Law law, std::span<const double> sorted, const SampleStatistics& s,
                                    std::string& reason) {
    const double m = s.mean;
    const double sd = s.stdDev;
    if (sorted.empty()) {
        reason = "there are no values";
        return std::nullopt;
    }
    if (!(m > 0) || !std::isfinite(m)) {
        reason = "the mean is not positive";
        return std::nullopt;
    }
    const bool spread = sd > 0 && std::isfinite(sd);
    switch (law) {
        case Law::Exponential: {
            const boost::math::exponential_distribution<double, NoThrow> d(1 / m);
            return FittedLaw{
                {{"mean", m}}, 1, [d](double x) { return cdf(d, x); }, [m](double x) { return -std::log(m) - x / m; }};
        }
        case Law::Normal: {
            if (!spread) break;
            const boost::math::normal_distribution<double, NoThrow> d(m, sd);
            return FittedLaw{{{"mean", m}, {"stddev", sd}},
                             2,
                             [d](double x) { return cdf(d, x); },
                             [m, sd](double x) {
                                 const double z = (x - m) / sd;
                                 return -std::log(sd) - kLogRootTwoPi - 0.5 * z * z;
                             }};
        }
        case Law::Lognormal: {
            if (!spread) break;
            const double ratio = sd / m;
            const double sigma = std::sqrt(std::log1p(ratio * ratio));
            const double mu = std::log(m) - sigma * sigma / 2;
            const boost::math::lognormal_distribution<double, NoThrow> d(mu, sigma);
            return FittedLaw{{{"mu", mu}, {"sigma", sigma}},
                             2,
                             [d](double x) { return cdf(d, x); },
                             [mu, sigma](double x) {
                                 const double z = (std::log(x) - mu) / sigma;
                                 return -std::log(x) - std::log(sigma) - kLogRootTwoPi - 0.5 * z * z;
                             }};
        }
        case Law::Triangular: {
            const double end = 3 * m;
            // The density is 0 from c on: one value there makes the likelihood 0.
            if (!sorted.empty() && sorted.back() >= end) {
                reason = "a value reaches 3 x mean = " + fixed(end) + ", where the law ends";
                return std::nullopt;
            }
            const boost::math::triangular_distribution<double, NoThrow> d(0, 0, end);
            return FittedLaw{{{"lower", 0}, {"upper", end}},
                             1,
                             [d](double x) { return cdf(d, x); },
                             [end](double x) { return std::log(2 / end) + std::log1p(-x / end); }};
        }
    }
    reason = "the standard deviation is 0";
    return std::nullopt;
}

double ksStatistic(std::span<const double> sorted, const std::function<double(double)>& cdf) {
    const double n = static_cast<double>(sorted.size());
    double d = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const double f = cdf(sorted[i]);
        d = std::max({d, static_cast<double>(i + 1) / n - f, f - static_cast<double>(i) / n});
    }
    return d;
}

// Expected and observed counts of the histogram's classes. The first class
// takes the law's mass below 0 and the last its mass beyond the chart, with
// the values beyond the last class, so both add up to n.
void classCounts(const HistogramFigures& figures, const FittedLaw& law, std::vector<double>& expected,
                 std::vector<double>& observed) {
    const auto classes = static_cast<std::size_t>(std::max(figures.classes, 1LL));
    const double n = static_cast<double>(figures.n);
    expected.assign(classes, 0);
    observed.assign(classes, 0);
    double below = 0;
    double counted = 0;
    for (std::size_t j = 1; j <= classes; ++j) {
        const double upper = j == classes ? 1 : law.cdf(static_cast<double>(j) * figures.interval);
        expected[j - 1] = n * (upper - below);
        below = upper;
        if (j < figures.counts.size()) observed[j - 1] = static_cast<double>(figures.counts[j]);
        counted += observed[j - 1];
    }
    observed.back() += n - counted;
}

void chiSquare(LawFit& fit, const HistogramFigures& figures, const FittedLaw& law) {
    std::vector<double> expected, observed;
    classCounts(figures, law, expected, observed);
    const std::vector<ClassGroup> groups = MergeClasses(expected, observed);
    if (groups.size() < 2) return;
    double statistic = 0;
    for (const ClassGroup& g : groups) statistic += (g.observed - g.expected) * (g.observed - g.expected) / g.expected;
    fit.chiSquare = statistic;
    fit.degreesOfFreedom = static_cast<long long>(groups.size()) - 1 - fit.fittedParameters;
    if (fit.degreesOfFreedom >= 1) {
        const boost::math::chi_squared_distribution<double, NoThrow> d(static_cast<double>(fit.degreesOfFreedom));
        fit.chiSquareP = cdf(complement(d, statistic));
    }
}

LawFit fitLaw(Law law, std::span<const double> sorted, const HistogramFigures& figures) {
    LawFit fit;
    fit.law = law;
    const std::optional<FittedLaw> fitted = lawAsDrawn(law, sorted, figures.statistics, fit.notFitted);
    if (!fitted) return fit;
    fit.parameters = fitted->parameters;
    fit.fittedParameters = fitted->fittedParameters;
    fit.ksD = ksStatistic(sorted, fitted->cdf);
    fit.ksP = KolmogorovSmirnovPValue(fit.ksD, static_cast<long long>(sorted.size()));
    chiSquare(fit, figures, *fitted);
    double logLikelihood = 0;
    for (double x : sorted) logLikelihood += fitted->logDensity(x);
    fit.logLikelihood = logLikelihood;
    fit.aic = 2 * fit.fittedParameters - 2 * logLikelihood;
    if (!std::isfinite(fit.aic) || !std::isfinite(fit.ksD)) {
        fit = LawFit{};
        fit.law = law;
        fit.notFitted = "its statistics overflow for these values";
    }
    return fit;
}

}  // namespace

const char* LawKey(Law law) {
    switch (law) {
        case Law::Exponential: return "exp";
        case Law::Normal: return "normal";
        case Law::Lognormal: return "lognormal";
        case Law::Triangular: return "triangular";
    }
    return "";
}

const char* LawCaption(Law law) {
    switch (law) {
        case Law::Exponential: return "Negative exponential law";
        case Law::Normal: return "Normal law";
        case Law::Lognormal: return "Lognormal law";
        case Law::Triangular: return "Triangular law";
    }
    return "";
}

std::vector<ClassGroup> MergeClasses(const std::vector<double>& expected, const std::vector<double>& observed) {
    std::vector<ClassGroup> groups;
    ClassGroup open;
    bool pending = false;
    for (std::size_t j = 0; j < expected.size() && j < observed.size(); ++j) {
        if (!pending) open = ClassGroup{static_cast<long long>(j) + 1, static_cast<long long>(j) + 1, 0, 0};
        pending = true;
        open.lastClass = static_cast<long long>(j) + 1;
        open.expected += expected[j];
        open.observed += observed[j];
        if (open.expected >= SmallestExpectedCount) {
            groups.push_back(open);
            pending = false;
        }
    }
    if (pending) {
        if (groups.empty()) {
            groups.push_back(open);
        } else {
            ClassGroup& last = groups.back();
            last.lastClass = open.lastClass;
            last.expected += open.expected;
            last.observed += open.observed;
        }
    }
    return groups;
}

double KolmogorovSmirnovPValue(double d, long long n) {
    if (n < 1 || !(d > 0)) return 1;
    // One value: D = max(F, 1 - F) with F uniform, so P(D >= d) = 2 (1 - d) exactly; the series is far off here.
    if (n == 1) return std::clamp(2 * (1 - d), 0.0, 1.0);
    const double rootN = std::sqrt(static_cast<double>(n));
    const double lambda = d * (rootN + 0.12 + 0.11 / rootN);
    // Terms below this no longer change a double in [0, 1].
    constexpr double kNegligible = 1e-17;
    constexpr int kMostTerms = 100;
    // The two series of the same function: each converges in a few terms on its own side of about 1.18.
    constexpr double kSeriesSwitch = 1.18;
    const double pi = std::numbers::pi;
    double p = 0;
    if (lambda < kSeriesSwitch) {
        // P(K <= lambda) = sqrt(2 pi) / lambda * sum over odd j of exp(-j^2 pi^2 / (8 lambda^2)).
        double sum = 0;
        for (int k = 1; k <= kMostTerms; ++k) {
            const double j = 2 * k - 1;
            const double term = std::exp(-j * j * pi * pi / (8 * lambda * lambda));
            sum += term;
            if (term < kNegligible) break;
        }
        p = 1 - std::sqrt(2 * pi) / lambda * sum;
    } else {
        // P(K > lambda) = 2 * sum of (-1)^(k-1) exp(-2 k^2 lambda^2).
        double sign = 1;
        for (int k = 1; k <= kMostTerms; ++k) {
            const double term = std::exp(-2.0 * k * k * lambda * lambda);
            p += 2 * sign * term;
            sign = -sign;
            if (term < kNegligible) break;
        }
    }
    return std::clamp(p, 0.0, 1.0);
}

FitSummary FitLaws(std::span<const double> sorted, const HistogramFigures& figures) {
    FitSummary summary;
    for (std::size_t i = 0; i < AllLaws.size(); ++i) {
        LawFit& fit = summary.laws[i];
        fit = fitLaw(AllLaws[i], sorted, figures);
        if (!fit.fitted()) continue;
        if (!summary.best || fit.aic < summary.laws[static_cast<std::size_t>(*summary.best)].aic)
            summary.best = fit.law;
    }
    return summary;
}

}  // namespace ravelin
