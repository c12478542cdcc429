#pragma once
// Panels of the page groups whose controls are not built yet: each shows its
// header label, so that every node of the tree leads to its own panel.
#include "PageLayout.h"

#include <vector>

namespace krv {

struct PlaceholderPage {
    int first;        // PageIndex range the panel serves
    int last;
    PageFrame frame;
};

std::vector<PlaceholderPage> BuildPlaceholderPages();

} // namespace krv
