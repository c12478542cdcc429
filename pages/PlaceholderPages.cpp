#include "PlaceholderPages.h"

#include <QLabel>
#include <QVBoxLayout>

namespace krv {

std::vector<PlaceholderPage> BuildPlaceholderPages()
{
    struct Def {
        int first, last;
        const char* panel;
        const char* header;
        const char* fixedCaption;
    };
    static const Def defs[] = {
        {10, 10, "Panel2", "Label5", ""},
        {11, 11, "Panel3", "Label23", ""},
        {12, 15, "PanelPerimeters", "Label163", ""},
        {16, 16, "Panel7", "", "Входы - общие параметры"},
        {17, 24, "Panel6", "Label10", ""},
        {25, 25, "Panel8", "Label1", ""},
        {26, 32, "Panel9", "Label6", ""},
        {33, 33, "Panel12", "Label79", ""},
        {34, 34, "PanelProfileMain", "Label66", ""},
        {35, 42, "PanelProfile", "Label221", ""},
        {43, 43, "Panel11", "Label86", ""},
    };
    std::vector<PlaceholderPage> pages;
    for (const Def& d : defs) {
        PageFrame f = MakePage(QLatin1String(d.panel), QLatin1String(d.header), QString::fromUtf8(d.fixedCaption));
        f.body->addStretch(1);
        pages.push_back({d.first, d.last, f});
    }
    return pages;
}

} // namespace krv
