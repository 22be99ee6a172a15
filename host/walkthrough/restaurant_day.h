#pragma once

#include "host/walkthrough/walkthrough.h"

#include <vector>

namespace tmk::walkthrough {

// One day at the demo store's till 001, from the map as the store opens to the day's
// summary: tables opened, ordered, joined, closed and received (cash and card, per nature,
// paid in the app), a seat released, an opening cancelled, a counter sale, the operator
// changed. Each step checks the database rows, the map and the fiscal and print folders.
std::vector<Step> restaurantDay();

} // namespace tmk::walkthrough
