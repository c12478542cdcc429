// The main window: start-up, navigation, page switching, actions and exit,
// with real files in a working directory of each test's own.
#include "ConfigFile.h"
#include "Cp1251.h"
#include "FieldRules.h"
#include "MainWindow.h"
#include "Pages.h"
#include "Settings.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace krv;
using namespace krv::test;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QTreeWidgetItem* Node(QTreeWidget* tree, int pageIndex)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == pageIndex)
            return *it;
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkDir> m_dir;
    std::unique_ptr<TForm1> m_window;

    void Start()
    {
        m_window = std::make_unique<TForm1>();
        m_window->show();
    }
    template <typename T> T* W(const char* name) const
    {
        auto* w = m_window->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void Select(int pageIndex) { W<QTreeWidget>("TreeView1")->setCurrentItem(Node(W<QTreeWidget>("TreeView1"), pageIndex)); }
    QWidget* Shown() const { return W<QStackedWidget>("EditorArea")->currentWidget(); }

private slots:
    void init() { m_dir = std::make_unique<WorkDir>(); }
    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
    }

    void startsWithoutFiles()
    {
        Start();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Конфигуратор GSM контроллера KRV614"));
        QCOMPARE(m_window->width(), 925);
        QCOMPARE(m_window->height() - m_window->menuBar()->height(), 554);
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(m_window->Store() == ConfigStore());
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));
        QCOMPARE(m_window->Port().PortName(), QStringLiteral("COM1"));
        QVERIFY(!m_window->Port().IsOpen());
        QCOMPARE(m_window->ShownPage(), 0);
        QCOMPARE(Shown()->objectName(), QStringLiteral("Panel10"));
        QCOMPARE(W<QLabel>("Label30")->text(), QStringLiteral("GSM контроллер KRV614"));
        QCOMPARE(m_window->ProgramDirectory(), m_dir->Path() + QLatin1Char('/'));
        // Nothing written at start.
        QVERIFY(!QFile::exists(m_dir->Path(QStringLiteral("default.cnt"))));
        QVERIFY(!QFile::exists(m_dir->Path(QStringLiteral("KRVConfig.cfg"))));

        auto* bar = W<QStatusBar>("StatusBar1");
        const int widths[] = {500, 60, 100, 250};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(bar->findChild<QLabel*>(QStringLiteral("StatusBar1Panel%1").arg(i))->width(), widths[i]);
        QCOMPARE(W<QToolBar>("ToolBar1")->height(), 33);
        QCOMPARE(W<QTreeWidget>("TreeView1")->width(), 209);
    }

    void startsWithFiles()
    {
        // A settings file naming a published port, and an autosave with an edit in it.
        FakePort port(m_dir->PortFolder(), QStringLiteral("COMSIM"));
        QVERIFY(WriteSettings(m_dir->Path().toStdString(), "COMSIM"));
        ConfigStore saved;
        EncodeText(std::span(saved.MainImage).subspan(43, 9), "abcd");
        saved.MainImage[2840] = 12;
        QCOMPARE(SaveConfigFile(saved, "default.cnt"), 0);
        Start();
        QVERIFY(m_window->Store() == saved);
        QCOMPARE(m_window->Port().PortName(), QStringLiteral("COMSIM"));
        QCOMPARE(m_window->StatusPanelText(1), QStringLiteral("COMSIM"));
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));
        QVERIFY(!m_window->Port().IsOpen());
        Select(1);
        QCOMPARE(W<QLineEdit>("MaskEditPassword")->text(), QStringLiteral("abcd"));
        QCOMPARE(W<QLineEdit>("EditReqPeriodH")->text(), QStringLiteral("12"));
    }

    // Damaged files give the defaults, "COM1" and "NC" without a message.
    void startsWithDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("autosave");
        const QByteArray good = QByteArray::fromStdString(SettingsFileBytes("COMX"));
        QTest::newRow("short settings, short autosave")
            << good.left(20) << QByteArray("[KRVControllerConfiguration_v01.02]");
        QTest::newRow("name without C, O, M; old version")
            << QByteArray::fromStdString(SettingsFileBytes("USB0"))
            << QByteArray("[KRVControllerConfiguration_v01.00]") + QByteArray(5293, '\0');
        QTest::newRow("unknown port; foreign file") << QByteArray::fromStdString(SettingsFileBytes("COMNONE"))
                                                    << QByteArray(5328, 'x');
    }
    void startsWithDamagedFiles()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, autosave);
        QFile s(m_dir->Path(QStringLiteral("KRVConfig.cfg")));
        QVERIFY(s.open(QIODevice::WriteOnly) && s.write(settings) == settings.size());
        s.close();
        QFile a(m_dir->Path(QStringLiteral("default.cnt")));
        QVERIFY(a.open(QIODevice::WriteOnly) && a.write(autosave) == autosave.size());
        a.close();
        ModalAnswers answers;
        Start();
        QVERIFY(m_window->Store() == ConfigStore());
        const QString expectedPort = QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("unknown"))
                                         ? QStringLiteral("COMNONE")
                                         : QStringLiteral("COM1");
        QCOMPARE(m_window->Port().PortName(), expectedPort);
        if (expectedPort == QLatin1String("COMNONE"))
            QCOMPARE(m_window->StatusPanelText(1), QStringLiteral("NC"));
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));
        QCoreApplication::processEvents();
        QCOMPARE(answers.Unexpected(), QStringList());
    }

    void treeHasTheNodesAlwaysExpanded()
    {
        Start();
        auto* tree = W<QTreeWidget>("TreeView1");
        QCOMPARE(tree->indentation(), 19);
        QVERIFY(!tree->itemsExpandable());
        QCOMPARE(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
        int count = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it, ++count) {
            QCOMPARE((*it)->data(0, Qt::UserRole).toInt(), count);
            if ((*it)->childCount())
                QVERIFY((*it)->isExpanded());
        }
        QCOMPARE(count, 44);
        // Parents as the levels of the node text give them.
        const struct { int node, parent; } parents[] = {{1, 0}, {2, 1}, {9, 1}, {10, 0}, {16, 0}, {24, 16},
                                                        {25, 0}, {33, 25}, {34, 0}, {42, 34}, {43, 0}};
        for (const auto& p : parents)
            QCOMPARE(Node(tree, p.node)->parent(), Node(tree, p.parent));
        QCOMPARE(Node(tree, 33)->text(0), QStringLiteral("Сценарии управления"));
        QCOMPARE(Node(tree, 11)->text(0), QStringLiteral("Питание, температура, индикация, контроль вскрытия"));
    }

    // Each node shows its panel with the node text in the header label.
    void everyNodeShowsItsPanel()
    {
        Start();
        const struct { int first, last; const char* panel; const char* header; } pages[] = {
            {0, 0, "Panel10", "Label30"},          {1, 1, "Panel1", "Label15"},
            {2, 9, "Panel5", "Label74"},           {10, 10, "Panel2", "Label5"},
            {11, 11, "Panel3", "Label23"},         {12, 15, "PanelPerimeters", "Label163"},
            {16, 16, "Panel7", nullptr},           {17, 24, "Panel6", "Label10"},
            {25, 25, "Panel8", "Label1"},          {26, 32, "Panel9", "Label6"},
            {33, 33, "Panel12", "Label79"},        {34, 34, "PanelProfileMain", "Label66"},
            {35, 42, "PanelProfile", "Label221"},  {43, 43, "Panel11", "Label86"}};
        auto* tree = W<QTreeWidget>("TreeView1");
        for (const auto& p : pages)
            for (int n = p.last; n >= p.first; --n) {
                Select(n);
                QCOMPARE(m_window->ShownPage(), n);
                QCOMPARE(Shown()->objectName(), QLatin1String(p.panel));
                if (p.header)
                    QCOMPARE(Shown()->findChild<QLabel*>(QLatin1String(p.header))->text(), Node(tree, n)->text(0));
            }
        QCOMPARE(W<QLabel>("Panel7Caption")->text(), QStringLiteral("Входы - общие параметры"));
    }

    // Which page is encoded on leaving and decoded on entering.
    void pageSwitchRules()
    {
        Start();
        QList<QString> calls;
        connect(&m_window->Pages(), &TPages::PageEncoded, this, [&](int n) { calls << QStringLiteral("E%1").arg(n); });
        connect(&m_window->Pages(), &TPages::PageDecoded, this, [&](int n) { calls << QStringLiteral("D%1").arg(n); });
        const QStringList six = {"Programm", "ReadConf", "CompareConf", "Reconfigurate", "Reset", "FactoryConfig"};
        auto sixEnabled = [&](bool on) {
            for (const QString& a : six)
                if (W<QAction>(a.toLatin1().constData())->isEnabled() != on)
                    return false;
            return W<QAction>("FileOpen1")->isEnabled() && W<QAction>("ComPortConfig")->isEnabled();
        };
        const int route[] = {25, 1, 25, 0, 43, 25, 43, 3, 34, 0};
        for (int n : route)
            Select(n);
        const QStringList expected = {// 0 -> 25: nothing; 25 -> 1: decode 1; 1 -> 25: encode 1
                                      "D1", "E1",
                                      // 25 -> 0 nothing; 0 -> 43; 43 -> 25
                                      "D43", "E43",
                                      // 25 -> 43 -> 3 -> 34 -> 0
                                      "D43", "E43", "D3", "E3", "D34", "E34"};
        QCOMPARE(calls, expected);
        Select(43);
        QVERIFY(sixEnabled(false));
        Select(25);
        QVERIFY(sixEnabled(true));

        // Leaving a page stores what its controls show; entering the outputs
        // node leaves the store alone.
        Select(1);
        W<QLineEdit>("MaskEditPassword")->setText(QStringLiteral("qwerty"));
        Select(25);
        QCOMPARE(FromCp1251(FieldText(std::span(m_window->Store().MainImage).subspan(43, 9))), QStringLiteral("qwerty"));
        const ConfigStore before = m_window->Store();
        Select(0);
        Select(25);
        QVERIFY(m_window->Store() == before);
    }

    void actionsAsTabled()
    {
        Start();
        struct Row {
            const char* name;
            const char* text; // menu text
            const char* iconText; // tool button caption, nullptr: not on the tool bar with text
            const char* hint;
            QKeySequence key;
        };
        const Row rows[] = {
            {"FileNew1", "Установить стандартную конфигурацию", nullptr, "Установить стандартную конфигурацию", {}},
            {"FileOpen1", "Открыть файл конфигурации...", nullptr, "Открыть файл конфигурации", {}},
            {"FileSave1", "Сохранить текущую конфигурацию в файл...", nullptr, "Сохранить текущую конфигурацию в файл", {}},
            {"Programm", "Программировать", "Программировать", "Загрузить конфигурацию в контроллер и перезапустить", Qt::Key_F5},
            {"ReadConf", "Считать конфигурацию", "Считать", "Считать конфигурацию контроллера", Qt::Key_F6},
            {"CompareConf", "Сравнить конфигурацию", "Сравнить", "Сравнить текущую конфигурацию с конфигурацией контроллера", Qt::Key_F7},
            {"Reconfigurate", "Реконфигурировать", "Реконфигурировать", "Загрузить конфигурацию в контроллер, без перезапуска", Qt::Key_F8},
            {"Reset", "Перезапустить (Системный сброс)", "Перезапустить", "Перезапустить контроллер", Qt::Key_F9},
            {"ReadIMEICode", "Считать IMEI контроллера в буфер обмена", nullptr, nullptr, Qt::Key_F10},
            {"FactoryConfig", "Восстановить заводскую конфигурацию", nullptr, nullptr, {}},
            {"ComPortConfig", "COM порт...", nullptr, "Настройка COM порта", {}},
            {"Abaut", "О программе...", nullptr, nullptr, {}},
        };
        for (const Row& r : rows) {
            auto* a = W<QAction>(r.name);
            QCOMPARE(a->text(), QString::fromUtf8(r.text));
            if (r.iconText) {
                QCOMPARE(a->iconText(), QString::fromUtf8(r.iconText));
                auto* b = W<QToolButton>(QByteArray("ToolButton").append(r.name).constData());
                QCOMPARE(b->text(), QString::fromUtf8(r.iconText));
                QCOMPARE(b->width(), QByteArray(r.name) == "Programm" ? 150 : 148);
            }
            if (r.hint)
                QCOMPARE(a->toolTip(), QString::fromUtf8(r.hint));
            QCOMPARE(a->shortcut(), r.key);
        }
        // The menus in order.
        QStringList menus;
        for (QAction* m : m_window->menuBar()->actions())
            menus << m->text();
        QCOMPARE(menus, (QStringList{"Файл", "Настройка", "Контроллер", "?"}));
        QStringList tools;
        for (QAction* a : W<QToolBar>("ToolBar1")->actions())
            tools << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
        QCOMPARE(tools, (QStringList{"FileNew1", "FileOpen1", "FileSave1", "|", "Programm", "ReadConf", "CompareConf",
                                     "|", "Reconfigurate", "Reset"}));

        // Exactly the ten actions follow Disable/EnableDeviceActions.
        const QStringList ten = {"Programm", "ReadConf", "CompareConf", "FactoryConfig", "Reset",
                                 "Reconfigurate", "FileOpen1", "FileSave1", "FileNew1", "ComPortConfig"};
        m_window->DisableDeviceActions();
        for (const Row& r : rows)
            QCOMPARE(W<QAction>(r.name)->isEnabled(), !ten.contains(QLatin1String(r.name)));
        m_window->EnableDeviceActions();
        for (const Row& r : rows)
            QVERIFY(W<QAction>(r.name)->isEnabled());
    }

    // The one-shot timer enables the actions 500 ms after the window was made.
    void timer2EnablesOnce()
    {
        Start();
        auto* timer = W<QTimer>("Timer2");
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 500);
        m_window->DisableDeviceActions();
        QTRY_VERIFY_WITH_TIMEOUT(W<QAction>("ComPortConfig")->isEnabled(), 3000);
        QVERIFY(!timer->isActive());
        m_window->DisableDeviceActions();
        QTest::qWait(700);
        QVERIFY(!W<QAction>("ComPortConfig")->isEnabled());
    }

    void closeRefusedWhileActionsDisabled()
    {
        Start();
        QTRY_VERIFY_WITH_TIMEOUT(!W<QTimer>("Timer2")->isActive(), 3000);
        Select(1);
        W<QLineEdit>("EditReqPeriodH")->setText(QStringLiteral("77"));
        m_window->DisableDeviceActions();
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());
        QVERIFY(!QFile::exists(m_dir->Path(QStringLiteral("default.cnt"))));
        QVERIFY(!QFile::exists(m_dir->Path(QStringLiteral("KRVConfig.cfg"))));
        m_window->EnableDeviceActions();
        QVERIFY(m_window->close());

        // Exit: settings, then the shown page encoded, then the autosave.
        QCOMPARE(ReadAll(m_dir->Path(QStringLiteral("KRVConfig.cfg"))),
                 QByteArray::fromStdString(SettingsFileBytes("COM1")));
        const QByteArray saved = ReadAll(m_dir->Path(QStringLiteral("default.cnt")));
        QCOMPARE(saved.size(), 5328);
        ConfigStore loaded;
        QCOMPARE(LoadConfigFile(loaded, "default.cnt"), 0);
        QCOMPARE(int(loaded.MainImage[2840]), 77);
        QVERIFY(loaded.MainImage == m_window->Store().MainImage);
    }

    // The file menu's "Закрыть" closes like the close box.
    void closeMenuItemCloses()
    {
        Start();
        W<QAction>("FileExit1")->trigger();
        QVERIFY(!m_window->isVisible());
        QVERIFY(QFile::exists(m_dir->Path(QStringLiteral("default.cnt"))));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
