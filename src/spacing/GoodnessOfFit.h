#pragma once
// How well each of the four density laws drawn over a histogram fits its
// values, with the parameters the chart draws it with (method of moments
// from the sample mean m and sample standard deviation s):
//
//   negative exponential  mean m                      (1 parameter)
//   normal                mean m, standard deviation s (2)
//   lognormal             sigma^2 = ln(1 + (s/m)^2), mu = ln m - sigma^2/2 (2)
//   triangular            from its top at 0 down to c = 3m  (1)
//
// Per law: the Kolmogorov-Smirnov statistic D with its p value, the
// chi-square statistic on the histogram's classes with its degrees of freedom
// and p value, the log-likelihood and AIC = 2k - 2 ln L (k fitted parameters).
// Values are lengths (metres) greater than 0.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "spacing/Histogram.h"

namespace ravelin {

enum class Law { Exponential, Normal, Lognormal, Triangular };

// In the order of the options window's check boxes.
constexpr std::array<Law, 4> AllLaws{Law::Exponential, Law::Normal, Law::Lognormal, Law::Triangular};

// "exp", "normal", "lognormal", "triangular": the names the command line uses.
const char* LawKey(Law law);
// "Negative exponential law", ...: the captions of the options window.
const char* LawCaption(Law law);

// A class needs at least this many expected values for the chi-square
// statistic to follow its distribution (the usual rule of thumb).
constexpr double SmallestExpectedCount = 5;

struct LawParameter {
    std::string name;  // "mean", "stddev", "mu", "sigma", "lower", "upper"
    double value = 0;
};

struct LawFit {
    Law law = Law::Exponential;
    // Empty when fitted; otherwise why the law cannot be fitted to these values.
    std::string notFitted;
    std::vector<LawParameter> parameters;
    int fittedParameters = 0;
    double ksD = 0;
    double ksP = 0;
    // Absent when the merged classes are fewer than 2.
    std::optional<double> chiSquare;
    long long degreesOfFreedom = 0;    // merged classes - 1 - fitted parameters; may be 0 or less
    std::optional<double> chiSquareP;  // absent unless degreesOfFreedom >= 1
    double logLikelihood = 0;
    double aic = 0;

    bool fitted() const { return notFitted.empty(); }
};

struct FitSummary {
    std::array<LawFit, 4> laws;  // in AllLaws order
    std::optional<Law> best;     // the fitted law with the lowest AIC (the first of equals)
};

// One group of adjacent histogram classes for the chi-square statistic.
struct ClassGroup {
    long long firstClass = 1;  // 1-based
    long long lastClass = 1;
    double expected = 0;
    double observed = 0;
};

// Merges adjacent classes from the left until each group expects at least
// SmallestExpectedCount values; a short remainder joins the group before it.
// expected and observed are per class (index 0 is class 1), of equal length.
std::vector<ClassGroup> MergeClasses(const std::vector<double>& expected, const std::vector<double>& observed);

// Probability that D of n values drawn from the law itself reaches d:
// the limiting Kolmogorov distribution of lambda = d (sqrt n + 0.12 +
// 0.11 / sqrt n) (Stephens' small-sample factor), within about 0.005 of the
// exact tables from n = 2 on; exact for n = 1. d in [0, 1], n >= 1 (1 otherwise).
// The parameters are taken as known: estimated from the same values, the
// true probability is smaller. Written out because Boost.Math before 1.75
// (Debian 12 ships 1.74) has no Kolmogorov distribution.
double KolmogorovSmirnovPValue(double d, long long n);

// The fit of every law to the sorted values of a histogram whose figures
// settled with status Ok (statistics, interval, classes and counts).
FitSummary FitLaws(std::span<const double> sorted, const HistogramFigures& figures);

}  // namespace ravelin
