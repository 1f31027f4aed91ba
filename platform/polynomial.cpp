// SPDX-License-Identifier: GPL-3.0-or-later
#include "polynomial.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <boost/math/tools/roots.hpp>

namespace platform {

namespace {

// Errors ignored rather than thrown: Boost's messages would bring the
// whole of iostreams into the Windows program; the bracket is checked here.
using Quiet = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>>;

// Horner's scheme, the highest power first.
double valueAt(const std::vector<double>& a, double x) {
    double v = 0;
    for (auto it = a.rbegin(); it != a.rend(); ++it) v = v * x + *it;
    return v;
}

std::vector<double> trimmed(std::vector<double> a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
    return a;
}

// The roots in (from, to) of `a`, monotone between consecutive roots of its derivative.
std::vector<double> rootsBetween(const std::vector<double>& a, double from, double to) {
    std::vector<double> derivative;
    for (std::size_t i = 1; i < a.size(); ++i) derivative.push_back(a[i] * static_cast<double>(i));
    std::vector<double> edges{from};
    if (derivative.size() > 1)
        for (const double x : rootsBetween(derivative, from, to)) edges.push_back(x);
    edges.push_back(to);
    std::vector<double> roots;
    const auto f = [&a](double x) { return valueAt(a, x); };
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const double lo = edges[i], hi = edges[i + 1];
        const double flo = f(lo), fhi = f(hi);
        if (flo == 0) {
            if (lo > 0 && (roots.empty() || roots.back() != lo)) roots.push_back(lo);
            continue;
        }
        if (fhi == 0) {
            roots.push_back(hi);
            continue;
        }
        if ((flo < 0) == (fhi < 0)) continue;
        std::uintmax_t steps = 200;
        const auto [left, right] = boost::math::tools::toms748_solve(
            f, lo, hi, flo, fhi, boost::math::tools::eps_tolerance<double>(), steps, Quiet());
        roots.push_back(std::abs(f(left)) <= std::abs(f(right)) ? left : right);
    }
    // A root at the upper edge is the next interval's lower edge too.
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    return roots;
}

}  // namespace

std::vector<double> positiveRoots(const std::vector<double>& coefficients) {
    const std::vector<double> a = trimmed(coefficients);
    if (a.size() < 2) return {};
    double bound = 0;
    for (std::size_t i = 0; i + 1 < a.size(); ++i) bound = std::max(bound, std::abs(a[i] / a.back()));
    bound += 1;
    if (!std::isfinite(bound)) return {};
    std::vector<double> roots = rootsBetween(a, 0, bound);
    std::erase_if(roots, [](double x) { return !(x > 0); });
    return roots;
}

}  // namespace platform
