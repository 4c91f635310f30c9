#pragma once
// Ascending sort of a histogram's values. A million values sort several
// times faster by their bits (a radix sort) than by comparisons, and faster
// still by counting when they repeat a few thousand distinct values, as
// measured distances do; short arrays use the library sort.
//
// The order is that of a stable sort by value: equal values, +0 and -0
// included, keep their order. NaN values (which no comparison orders) go
// after +infinity, or before -infinity when their sign bit is set. Values
// already in order are left as they are after one look.

#include <vector>

#include "spacing/LargeBuffer.h"

namespace ravelin {

void SortValues(std::vector<double>& values);
// The same, with room the sort may use (its content is left unspecified):
// a caller that needs a second array of the same size anyway lends it.
void SortValues(std::vector<double>& values, LargeVector<double>& scratch);

}  // namespace ravelin
