#include "MainWindow.h"

#include "AboutBox.h"
#include "ComPortConfig.h"
#include "ConfigFile.h"
#include "ConnectionsPages.h"
#include "Icons.h"
#include "NavigationTree.h"
#include "Pages.h"
#include "Settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace krv {
namespace {

const char kCaption[] = "Конфигуратор GSM контроллера KRV614";
const char kOpenCaption[] = "Открытие файла конфигурации";
const char kSaveCaption[] = "Сохранение конфигурации";
const char kFilter[] = "Файлы конфигурации (*.cnt)";
const char kDeviceName[] = "KRV614";

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Paths the file operations take: at most this many characters.
bool PathTooLong(const QString& path) { return path.size() > kMaxConfigPathLength; }

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    InitAppResources();
    setObjectName(QStringLiteral("Form1"));
    // Construction: the store holds the factory defaults already; the texts
    // and lists the window hands out are built here.
    m_supportedVersions = {QStringLiteral("TQ.01.02"), QStringLiteral("TQ-ORBIT.01.02"),
                           QStringLiteral("TQ-ORBIT.01.03"), QStringLiteral("TQ.01.04")};
    m_comPortDialogCaption = U("Выбор COM порта");
    m_comPortErrorText = U("Не возможно открыть указанный COM порт, возможно он занят другим приложением.");
    m_versionCaption = U("для версий устройства");
    m_aboutCaption = U("О программе");

    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setSingleShot(true);
    m_timer2->setInterval(500);
    connect(m_timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    m_timer2->start();

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_pages = new TPages(m_store, this);
    BuildActions();
    BuildMenu();
    BuildToolBar();
    setCentralWidget(BuildCentre());
    BuildStatusBar();
    // The client area (tool bar, tree and editor, status bar) is fixed; the
    // menu bar comes on top of it.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    m_port.SetAfterOpen([this] { ComPort1AfterOpen(); });
    FormCreate();
}

TForm1::~TForm1() = default;

QAction* TForm1::MakeAction(const char* name, const char* text, const char* iconText, const char* hint,
                            const QKeySequence& shortcut, const char* icon)
{
    auto* a = new QAction(U(text), this);
    a->setObjectName(QLatin1String(name));
    if (iconText)
        a->setIconText(U(iconText));
    if (hint) {
        a->setToolTip(U(hint));
        a->setStatusTip(U(hint));
    }
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    if (icon)
        a->setIcon(ProgramIcon(icon));
    return a;
}

void TForm1::BuildActions()
{
    m_fileNew1 = MakeAction("FileNew1", "Установить стандартную конфигурацию", nullptr,
                            "Установить стандартную конфигурацию", {}, "new");
    m_fileOpen1 = MakeAction("FileOpen1", "Открыть файл конфигурации...", nullptr, "Открыть файл конфигурации", {},
                             "open");
    m_fileSave1 = MakeAction("FileSave1", "Сохранить текущую конфигурацию в файл...", nullptr,
                             "Сохранить текущую конфигурацию в файл", {}, "save");
    m_fileExit1 = MakeAction("FileExit1", "Закрыть", nullptr, nullptr, {});
    m_programm = MakeAction("Programm", "Программировать", "Программировать",
                            "Загрузить конфигурацию в контроллер и перезапустить", Qt::Key_F5, "program");
    m_readConf = MakeAction("ReadConf", "Считать конфигурацию", "Считать", "Считать конфигурацию контроллера",
                            Qt::Key_F6, "read");
    m_compareConf = MakeAction("CompareConf", "Сравнить конфигурацию", "Сравнить",
                               "Сравнить текущую конфигурацию с конфигурацией контроллера", Qt::Key_F7, "compare");
    m_reconfigurate = MakeAction("Reconfigurate", "Реконфигурировать", "Реконфигурировать",
                                 "Загрузить конфигурацию в контроллер, без перезапуска", Qt::Key_F8, "reconfigure");
    m_reset = MakeAction("Reset", "Перезапустить (Системный сброс)", "Перезапустить", "Перезапустить контроллер",
                         Qt::Key_F9, "reset");
    m_readIMEICode = MakeAction("ReadIMEICode", "Считать IMEI контроллера в буфер обмена", nullptr, nullptr,
                                Qt::Key_F10);
    m_factoryConfig = MakeAction("FactoryConfig", "Восстановить заводскую конфигурацию", nullptr, nullptr, {});
    m_comPortConfig = MakeAction("ComPortConfig", "COM порт...", "COM порт...", "Настройка COM порта", {});
    m_abaut = MakeAction("Abaut", "О программе...", "О программе...", nullptr, {});

    connect(m_fileNew1, &QAction::triggered, this, &TForm1::FileNew1Execute);
    connect(m_fileOpen1, &QAction::triggered, this, &TForm1::FileOpen1Execute);
    connect(m_fileSave1, &QAction::triggered, this, &TForm1::FileSave1Execute);
    connect(m_fileExit1, &QAction::triggered, this, &QWidget::close);
    connect(m_comPortConfig, &QAction::triggered, this, &TForm1::ComPortConfigExecute);
    connect(m_abaut, &QAction::triggered, this, &TForm1::AbautExecute);
    // The controller actions run the device procedures, which the device link provides.
}

void TForm1::BuildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar->addMenu(U("Файл"));
    file->setObjectName(QStringLiteral("MenuFile"));
    file->addAction(m_fileNew1);
    file->addAction(m_fileOpen1);
    file->addAction(m_fileSave1);
    file->addSeparator();
    file->addAction(m_fileExit1);
    QMenu* setup = bar->addMenu(U("Настройка"));
    setup->setObjectName(QStringLiteral("MenuSetup"));
    setup->addAction(m_comPortConfig);
    QMenu* device = bar->addMenu(U("Контроллер"));
    device->setObjectName(QStringLiteral("MenuController"));
    device->addAction(m_programm);
    device->addAction(m_readConf);
    device->addAction(m_compareConf);
    device->addSeparator();
    device->addAction(m_readIMEICode);
    device->addSeparator();
    device->addAction(m_reconfigurate);
    device->addAction(m_reset);
    device->addAction(m_factoryConfig);
    QMenu* help = bar->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    help->addAction(m_abaut);
}

void TForm1::BuildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(33);
    bar->setIconSize(QSize(22, 22));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    auto add = [bar](QAction* a, int width) {
        bar->addAction(a);
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
        button->setObjectName(QStringLiteral("ToolButton") + a->objectName());
        button->setAutoRaise(true);
        if (width) {
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            button->setFixedWidth(width);
        }
    };
    add(m_fileNew1, 0);
    add(m_fileOpen1, 0);
    add(m_fileSave1, 0);
    bar->addSeparator();
    add(m_programm, 150);
    add(m_readConf, 148);
    add(m_compareConf, 148);
    bar->addSeparator();
    add(m_reconfigurate, 148);
    add(m_reset, 148);
}

QWidget* TForm1::BuildCentre()
{
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("ClientArea"));
    auto* row = new QHBoxLayout(centre);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_tree = new QTreeWidget(centre);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setFixedWidth(209);
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(19);
    m_tree->setItemsExpandable(false);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    // The selection stays highlighted while the tree has no focus.
    QPalette pal = m_tree->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    m_tree->setPalette(pal);
    row->addWidget(m_tree);

    // A fixed 3-pixel bar between tree and editor that cannot be dragged.
    auto* splitter = new QFrame(centre);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setFixedWidth(3);
    splitter->setFrameShape(QFrame::NoFrame);
    row->addWidget(splitter);

    m_editor = new QStackedWidget(centre);
    m_editor->setObjectName(QStringLiteral("EditorArea"));
    for (QWidget* panel : m_pages->Panels())
        m_editor->addWidget(panel);
    row->addWidget(m_editor, 1);
    return centre;
}

void TForm1::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const int widths[4] = {500, 60, 100, 250};
    const Qt::Alignment align[4] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setFixedWidth(widths[i]);
        panel->setAlignment(align[i] | Qt::AlignVCenter);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
        bar->addWidget(panel);
        m_statusPanels[std::size_t(i)] = panel;
    }
    m_statusPanels[1]->setText(QStringLiteral("NC"));
}

void TForm1::FormCreate()
{
    // 1. The working directory at start is the program directory.
    m_programDirectory = QDir::currentPath();
    if (!m_programDirectory.endsWith(QLatin1Char('/')))
        m_programDirectory += QLatin1Char('/');
    m_openDirectory = m_programDirectory;
    // 2.
    setWindowTitle(U(kCaption));
    // 3.
    BuildTree(m_tree, NodeText());
    if (QTreeWidgetItem* root = m_tree->topLevelItem(0))
        root->setText(0, U("GSM контроллер ") + U(kDeviceName));
    // 5.
    m_pages->Connections().SetNumberedModeCaptions();
    // 9. The tree stays expanded; selecting the root shows the root page.
    m_tree->expandAll();
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { TreeView1Change(current); });
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    // 15.
    const std::optional<std::string> port = ReadSettings(NativePath(m_programDirectory));
    m_port.SetPortName(QString::fromLocal8Bit(port.value_or(kDefaultPortName)));
    // 16., 17.
    if (LoadConfigFile(m_store, kAutosaveFileName) != LoadOk)
        m_store.SetDefaultMainImage();
    SetStatusPanel(0, QString::fromLatin1(kAutosaveFileName));
    // 18. Test the port once.
    m_port.Open();
    SetStatusPanel(1, m_port.IsOpen() ? m_port.PortName() : QStringLiteral("NC"));
    m_port.Close();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
}

void TForm1::Timer2Timer()
{
    m_timer2->stop();
    EnableDeviceActions();
}

void TForm1::ComPort1AfterOpen()
{
    SetStatusPanel(1, m_port.PortName());
    m_port.RaiseControlLines();
}

void TForm1::SetStatusPanel(int panel, const QString& text)
{
    m_statusPanels.at(std::size_t(panel))->setText(text);
}

QString TForm1::StatusPanelText(int panel) const
{
    return m_statusPanels.at(std::size_t(panel))->text();
}

void TForm1::DisableDeviceActions()
{
    for (QAction* a : {m_programm, m_readConf, m_compareConf, m_factoryConfig, m_reset, m_reconfigurate, m_fileOpen1,
                       m_fileSave1, m_fileNew1, m_comPortConfig})
        a->setEnabled(false);
}

void TForm1::EnableDeviceActions()
{
    for (QAction* a : {m_programm, m_readConf, m_compareConf, m_factoryConfig, m_reset, m_reconfigurate, m_fileOpen1,
                       m_fileSave1, m_fileNew1, m_comPortConfig})
        a->setEnabled(true);
}

void TForm1::TreeView1Change(QTreeWidgetItem* node)
{
    if (!node)
        return;
    // Leave the shown page.
    if (m_shownPage == TPages::kSystemParametersPage) {
        for (QAction* a : {m_programm, m_readConf, m_compareConf, m_reconfigurate, m_reset, m_factoryConfig})
            a->setEnabled(true);
        m_pages->EncodePage(m_shownPage);
    } else if ((m_shownPage >= 1 && m_shownPage <= 24) || (m_shownPage >= 26 && m_shownPage <= 42)) {
        m_pages->EncodePage(m_shownPage);
    }
    // Enter the new one.
    const int n = node->data(0, Qt::UserRole).toInt();
    if (QLabel* header = m_pages->HeaderFor(n))
        header->setText(node->text(0));
    m_pages->PreparePage(n);
    if (n == TPages::kSystemParametersPage)
        // The system parameters page has its own transfer buttons.
        for (QAction* a : {m_programm, m_readConf, m_compareConf, m_reconfigurate, m_reset, m_factoryConfig})
            a->setEnabled(false);
    if (n != 0 && n != 25)
        m_pages->DecodePage(n);
    if (QWidget* panel = m_pages->PanelFor(n))
        m_editor->setCurrentWidget(panel);
    m_shownPage = n;
}

int TForm1::FileMessage(const QString& caption, const QString& text, int buttons)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::StandardButtons(buttons), this);
    box.setObjectName(QStringLiteral("FileMessage"));
    return box.exec();
}

void TForm1::FileNew1Execute()
{
    m_store.SetDefaultMainImage();
    m_pages->DecodePage(m_shownPage);
    SetStatusPanel(0, QString::fromLatin1(kAutosaveFileName));
}

void TForm1::FileOpen1Execute()
{
    QFileDialog dialog(this, U(kOpenCaption), m_openDirectory, U(kFilter));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("cnt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    const int result = PathTooLong(path) ? LoadCannotOpen : LoadConfigFile(m_store, NativePath(path));
    if (result != LoadOk) {
        FileMessage(U(kOpenCaption), U(LoadResultMessage(result)), QMessageBox::Ok);
        return;
    }
    m_pages->DecodePage(m_shownPage);
    SetStatusPanel(0, path);
}

void TForm1::FileSave1Execute()
{
    const QString proposed = StatusPanelText(0);
    m_pages->EncodePage(m_shownPage);
    m_pages->DecodePage(m_shownPage);
    // No folder of its own: the working directory, or the folder of the proposed file.
    QFileDialog dialog(this, U(kSaveCaption), QDir::currentPath(), U(kFilter));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked below, in our words
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("cnt"));
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    if (PathTooLong(path)) {
        FileMessage(U(kSaveCaption), U("Невозможно сохранить файл"), QMessageBox::Ok);
        return;
    }
    if (QFileInfo::exists(path) &&
        FileMessage(U(kSaveCaption), U("Файл уже существует, заменить?"), QMessageBox::Yes | QMessageBox::No) !=
            QMessageBox::Yes)
        return;
    if (SaveConfigFile(m_store, NativePath(path)) != 0) {
        FileMessage(U(kSaveCaption), U("Невозможно сохранить файл"), QMessageBox::Ok);
        return;
    }
    SetStatusPanel(0, path);
}

void TForm1::ComPortConfigExecute()
{
    TFormCOMPortConfig dialog(m_port, [this](const QString& text) { SetStatusPanel(1, text); }, this);
    dialog.SetTexts(m_comPortDialogCaption, m_comPortErrorText);
    dialog.exec();
}

void TForm1::AbautExecute()
{
    TAboutBox box(windowTitle(), m_versionCaption, m_supportedVersions, this);
    box.setWindowTitle(m_aboutCaption);
    box.exec();
}

void TForm1::ShowAlreadyRunning()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    // Not modal for the whole program: the window may be busy with a procedure.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("KRV Configurator"),
                                U("Программа уже запущена"), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("AlreadyRunningMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing waits until a running procedure has enabled the actions again.
    if (!m_comPortConfig->isEnabled()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    WriteSettings(NativePath(m_programDirectory), m_port.PortName().toStdString());
    if (m_shownPage >= 0)
        m_pages->EncodePage(m_shownPage);
    SaveConfigFile(m_store, kAutosaveFileName);
}

} // namespace krv
