#pragma once
// The main window: menu, tool bar, navigation tree, editor area and status
// bar; the start-up and exit sequences, the page switch, the file actions,
// the port dialog and the About box. It owns the configuration store and the
// serial port for the whole run. Main thread only.
#include "ComPort.h"
#include "ConfigStore.h"

#include <QMainWindow>
#include <QStringList>

#include <array>

class QAction;
class QLabel;
class QStackedWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace krv {

class TPages;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 925;
    static constexpr int kClientHeight = 554;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    ConfigStore& Store() { return m_store; }
    TPages& Pages() { return *m_pages; }
    ComPort& Port() { return m_port; }
    int ShownPage() const { return m_shownPage; }
    QString ProgramDirectory() const { return m_programDirectory; }
    QString StatusPanelText(int panel) const;
    QStringList SupportedVersions() const { return m_supportedVersions; }

    // The ten device and file actions, all at once.
    void DisableDeviceActions();
    void EnableDeviceActions();

    // Handlers.
    void TreeView1Change(QTreeWidgetItem* node);
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileSave1Execute();
    void ComPortConfigExecute();
    void AbautExecute();
    // A second copy was started: come to the front and say so.
    void ShowAlreadyRunning();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* MakeAction(const char* name, const char* text, const char* iconText, const char* hint,
                        const QKeySequence& shortcut, const char* icon = nullptr);
    void BuildActions();
    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    QWidget* BuildCentre();
    void FormCreate();
    void FormClose();
    void Timer2Timer();
    void ComPort1AfterOpen();
    void SetStatusPanel(int panel, const QString& text);
    int FileMessage(const QString& caption, const QString& text, int buttons);

    ConfigStore m_store;
    ComPort m_port;
    TPages* m_pages = nullptr;
    QTreeWidget* m_tree = nullptr;
    QStackedWidget* m_editor = nullptr;
    QTimer* m_timer2 = nullptr;
    std::array<QLabel*, 4> m_statusPanels{};
    int m_shownPage = -1;
    bool m_closed = false;
    bool m_centred = false;
    QString m_programDirectory;
    QString m_openDirectory;
    QStringList m_supportedVersions;

    // Built-in texts the language file may replace.
    QString m_comPortDialogCaption;
    QString m_comPortErrorText;
    QString m_aboutCaption;
    QString m_versionCaption;

    QAction* m_fileNew1 = nullptr;
    QAction* m_fileOpen1 = nullptr;
    QAction* m_fileSave1 = nullptr;
    QAction* m_fileExit1 = nullptr;
    QAction* m_programm = nullptr;
    QAction* m_readConf = nullptr;
    QAction* m_compareConf = nullptr;
    QAction* m_reconfigurate = nullptr;
    QAction* m_reset = nullptr;
    QAction* m_readIMEICode = nullptr;
    QAction* m_factoryConfig = nullptr;
    QAction* m_comPortConfig = nullptr;
    QAction* m_abaut = nullptr;
};

} // namespace krv
