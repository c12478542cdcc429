#pragma once
// The navigation tree: 44 nodes built from a text of one line per node, the
// nesting level given by leading tab characters, lines separated by CR LF.
// A node's PageIndex is its position in display order of the expanded tree.
#include <QString>

class QTreeWidget;

namespace krv {

inline constexpr int kNodeCount = 44;

// The built-in node text (UTF-8), root line "GSM контроллер KRV614-TQ".
QString NodeText();

// Replaces the tree's items by those of `text`; each item carries its
// PageIndex as Qt::UserRole data. Returns the number of nodes built. Lines
// nested deeper than one level below the previous line hang under the
// deepest available parent.
int BuildTree(QTreeWidget* tree, const QString& text);

} // namespace krv
