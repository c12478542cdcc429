#pragma once
// Building blocks every editor page shares, so that the pages look alike:
// a panel with its header label on top, titled group boxes, caption labels.
#include <QString>

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace krv {

struct PageFrame {
    QWidget* panel = nullptr;
    QLabel* header = nullptr;  // receives the node text on entry
    QVBoxLayout* body = nullptr; // the page's content goes here
};

// A panel named `panelName` with a header label named `headerName` (a label
// with a fixed caption when `headerName` is empty and `fixedCaption` given).
PageFrame MakePage(const QString& panelName, const QString& headerName, const QString& fixedCaption = {});

QGroupBox* MakeGroup(const QString& name, const QString& caption, QWidget* parent = nullptr);
// A caption label; `wrap` lets long captions take several lines.
QLabel* MakeCaption(const QString& name, const QString& text, bool wrap = false, QWidget* parent = nullptr);
// A grid whose first column holds captions and the second the controls.
QGridLayout* MakeFieldGrid(QWidget* parent);
// Adds caption and control as the next row of `grid`.
void AddRow(QGridLayout* grid, QLabel* caption, QWidget* control, int controlSpan = 1);
void AddWide(QGridLayout* grid, QWidget* control);

} // namespace krv
