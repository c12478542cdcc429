#pragma once
// The pictures of the tool bar, the menu and the About box, drawn as SVG and
// built into the program.
#include <QIcon>

namespace krv {

// The picture ":/icons/<name>.svg" ("new", "open", "save", "program", "read",
// "compare", "reconfigure", "reset", "logo").
QIcon ProgramIcon(const char* name);

// Makes the built-in resources of this library available (a static library's
// resources need this once before first use).
void InitAppResources();

} // namespace krv
