#pragma once
// The root page (PageIndex 0, Panel10): the status label device operations
// write into, their progress bar, the clear-mode-memory choice of programming.
#include <QObject>

class QCheckBox;
class QLabel;
class QProgressBar;
class QWidget;

namespace krv {

class RootPage : public QObject {
    Q_OBJECT
public:
    explicit RootPage(QObject* parent = nullptr);

    QWidget* Panel() const { return m_panel; }
    QLabel* Header() const { return m_label30; }
    QLabel* ActionName() const { return m_actionName; }
    QLabel* TMPLabel() const { return m_tmpLabel; }
    QProgressBar* ProgressBar1() const { return m_progress; }
    QCheckBox* CheckBoxClearSaveArea() const { return m_clearSaveArea; }

    // Entering the page: the status label starts empty.
    void Prepare();

private:
    QWidget* m_panel = nullptr;
    QLabel* m_label30 = nullptr;
    QLabel* m_actionName = nullptr;
    QLabel* m_tmpLabel = nullptr;
    QProgressBar* m_progress = nullptr;
    QCheckBox* m_clearSaveArea = nullptr;
};

} // namespace krv
