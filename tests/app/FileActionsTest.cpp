// The file actions of the main window with their dialogs and message boxes
// answered by the test.
#include "ConfigFile.h"
#include "Cp1251.h"
#include "FieldRules.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QItemSelectionModel>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace krv;
using namespace krv::test;

namespace {

const QString kOpenCaption = QStringLiteral("Открытие файла конфигурации");
const QString kSaveCaption = QStringLiteral("Сохранение конфигурации");

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString SmsPassword(const ConfigStore& s)
{
    return FromCp1251(FieldText(std::span(s.MainImage).subspan(43, 9)));
}

} // namespace

class FileActionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkDir> m_dir;
    std::unique_ptr<TForm1> m_window;
    std::unique_ptr<ModalAnswers> m_answers;
    QStringList m_failures;

    template <typename T> T* W(const char* name) const
    {
        auto* w = m_window->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void Select(int pageIndex)
    {
        auto* tree = W<QTreeWidget>("TreeView1");
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toInt() == pageIndex)
                tree->setCurrentItem(*it);
    }
    // The file dialog: its title and filter are checked, then `path` is chosen
    // (an empty path cancels).
    void ChooseFile(const QString& title, const QString& path, QFileDialog::AcceptMode mode)
    {
        m_answers->Then([=, this](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            if (!d) {
                m_failures << QStringLiteral("no file dialog");
                return;
            }
            if (d->windowTitle() != title)
                m_failures << QStringLiteral("dialog title ") + d->windowTitle();
            if (d->nameFilters() != QStringList{QStringLiteral("Файлы конфигурации (*.cnt)")})
                m_failures << QStringLiteral("filter ") + d->nameFilters().join(QLatin1Char(';'));
            if (d->defaultSuffix() != QLatin1String("cnt") || d->acceptMode() != mode)
                m_failures << QStringLiteral("suffix or mode");
            if (path.isEmpty()) {
                d->reject();
                return;
            }
            Choose(d, path);
        });
    }
    // Types the path into the dialog's name field and accepts, as a user would.
    void Choose(QFileDialog* d, const QString& path)
    {
        for (auto* view : d->findChildren<QAbstractItemView*>())
            if (view->selectionModel())
                view->selectionModel()->clearSelection();
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setText(path);
        static_cast<QDialog*>(d)->accept();
        if (d->isVisible()) {
            m_failures << QStringLiteral("the dialog refused ") + path;
            d->reject();
        }
    }
    void Message(const QString& caption, const QString& text, int buttons, int press)
    {
        m_answers->Then(AnswerMessage(caption, text, QMessageBox::Warning, buttons, press, &m_failures));
    }
    void Run(const char* action)
    {
        W<QAction>(action)->trigger();
        QCOMPARE(m_failures.join(QLatin1Char('|')), QString());
        QCOMPARE(m_answers->Unexpected(), QStringList());
        QCOMPARE(m_answers->Pending(), 0);
    }
    QString LongFolder()
    {
        // Two nested folders of 250 characters: every path inside is over 499.
        const QString a = m_dir->Path(QString(250, QLatin1Char('a')));
        const QString b = a + QLatin1Char('/') + QString(250, QLatin1Char('b'));
        QDir().mkpath(b);
        return b;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<WorkDir>();
        m_window = std::make_unique<TForm1>();
        m_window->show();
        m_answers = std::make_unique<ModalAnswers>();
        m_failures.clear();
    }
    void cleanup()
    {
        m_answers.reset();
        m_window.reset();
        m_dir.reset();
    }

    // Opening a good file replaces the shown page's edits and names the file.
    void openLoadsAndDecodes()
    {
        ConfigStore other;
        EncodeText(std::span(other.MainImage).subspan(43, 9), "fromfile");
        const QString path = m_dir->Path(QStringLiteral("other.cnt"));
        QCOMPARE(SaveConfigFile(other, path.toStdString()), 0);
        Select(1);
        W<QLineEdit>("MaskEditPassword")->setText(QStringLiteral("typed"));
        ChooseFile(kOpenCaption, path, QFileDialog::AcceptOpen);
        Run("FileOpen1");
        QCOMPARE(W<QLineEdit>("MaskEditPassword")->text(), QStringLiteral("fromfile"));
        QVERIFY(m_window->Store().MainImage == other.MainImage);
        QCOMPARE(m_window->StatusPanelText(0), path);
    }

    void openRefusals_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        ConfigStore s;
        QByteArray file = QByteArray::fromStdString(ConfigFileHeader(s.MainImage));
        file += QByteArray(reinterpret_cast<const char*>(s.MainImage.data()), int(s.MainImage.size()));
        file += char(ImageCheckByte(s.MainImage));
        QByteArray changed = file;
        changed[100] = char(changed[100] ^ 1);
        QByteArray oldVersion = file;
        oldVersion.replace(29, 5, "01.00");
        QTest::newRow("changed byte") << changed << "Неизвестный формат файла";
        QTest::newRow("cut short") << file.left(5000) << "Неизвестный формат файла";
        QTest::newRow("header only") << file.left(35) << "Неизвестный формат файла";
        QTest::newRow("other version") << oldVersion
                                       << "Несоответствие версий! Файл не может быть использован для "
                                          "конфигурирования этого устройства.";
    }
    // A file that does not load leaves the store and the page as they were.
    void openRefusals()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = m_dir->Path(QStringLiteral("bad.cnt"));
        WriteAll(path, content);
        Select(1);
        W<QLineEdit>("MaskEditPassword")->setText(QStringLiteral("typed"));
        const ConfigStore before = m_window->Store();
        ChooseFile(kOpenCaption, path, QFileDialog::AcceptOpen);
        Message(kOpenCaption, message, QMessageBox::Ok, QMessageBox::Ok);
        Run("FileOpen1");
        QVERIFY(m_window->Store() == before);
        QCOMPARE(W<QLineEdit>("MaskEditPassword")->text(), QStringLiteral("typed"));
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));
    }

    void openRefusesLongPaths()
    {
        ConfigStore other;
        EncodeText(std::span(other.MainImage).subspan(43, 9), "long");
        const QString path = LongFolder() + QStringLiteral("/x.cnt");
        QVERIFY(path.size() > 499);
        QCOMPARE(SaveConfigFile(other, path.toStdString()), 0);
        ChooseFile(kOpenCaption, path, QFileDialog::AcceptOpen);
        Message(kOpenCaption, QStringLiteral("Невозможно открыть файл"), QMessageBox::Ok, QMessageBox::Ok);
        Run("FileOpen1");
        QVERIFY(m_window->Store() == ConfigStore());
    }

    void openCancelled()
    {
        ChooseFile(kOpenCaption, QString(), QFileDialog::AcceptOpen);
        Run("FileOpen1");
        QVERIFY(m_window->Store() == ConfigStore());
    }

    // Saving encodes the shown page first, proposes the current name and
    // empties the administrator password.
    void saveWritesTheShownPage()
    {
        Select(1);
        W<QAbstractButton>("CheckBoxSysPassword")->click();
        W<QLineEdit>("MaskEditSysPassword")->setText(QStringLiteral("admin1"));
        W<QLineEdit>("MaskEditPassword")->setText(QStringLiteral("saved"));
        W<QLineEdit>("EditReqPeriodH")->setText(QStringLiteral("999"));
        const QString path = m_dir->Path(QStringLiteral("out.cnt"));
        m_answers->Then([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            const QString proposed = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            if (proposed != QLatin1String("default.cnt") || d->directory() != QDir(m_dir->Path()))
                m_failures << QStringLiteral("proposed name ") + proposed + QStringLiteral(" in ") + d->directory().path();
            Choose(d, path);
        });
        Run("FileSave1");
        // The page shows what was stored.
        QCOMPARE(W<QLineEdit>("EditReqPeriodH")->text(), QStringLiteral("255"));
        QCOMPARE(m_window->StatusPanelText(0), path);
        QCOMPARE(int(m_window->Store().MainImage[20]), 0);
        ConfigStore loaded;
        QCOMPARE(LoadConfigFile(loaded, path.toStdString()), 0);
        QCOMPARE(SmsPassword(loaded), QStringLiteral("saved"));
        QCOMPARE(int(loaded.MainImage[2840]), 255);
        QCOMPARE(int(loaded.MainImage[20]), 0);
        QCOMPARE(ReadAll(path).size(), 5328);
    }

    void saveAsksBeforeReplacing()
    {
        const QString path = m_dir->Path(QStringLiteral("exists.cnt"));
        WriteAll(path, "old content");
        EncodeText(std::span(m_window->Store().MainImage).subspan(20, 9), "keep");
        ChooseFile(kSaveCaption, path, QFileDialog::AcceptSave);
        Message(kSaveCaption, QStringLiteral("Файл уже существует, заменить?"), QMessageBox::Yes | QMessageBox::No,
                QMessageBox::No);
        Run("FileSave1");
        QCOMPARE(ReadAll(path), QByteArray("old content"));
        QCOMPARE(int(m_window->Store().MainImage[20]), int('k')); // untouched
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));

        ChooseFile(kSaveCaption, path, QFileDialog::AcceptSave);
        Message(kSaveCaption, QStringLiteral("Файл уже существует, заменить?"), QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes);
        Run("FileSave1");
        QCOMPARE(ReadAll(path).size(), 5328);
        QCOMPARE(m_window->StatusPanelText(0), path);
    }

    void saveFailures()
    {
        EncodeText(std::span(m_window->Store().MainImage).subspan(20, 9), "pw");
        const QString longPath = LongFolder() + QStringLiteral("/x.cnt");
        ChooseFile(kSaveCaption, longPath, QFileDialog::AcceptSave);
        Message(kSaveCaption, QStringLiteral("Невозможно сохранить файл"), QMessageBox::Ok, QMessageBox::Ok);
        Run("FileSave1");
        QVERIFY(!QFile::exists(longPath));
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));
        // Refused before any file operation: the password is still there.
        QCOMPARE(int(m_window->Store().MainImage[20]), int('p'));

        const QString missing = m_dir->Path(QStringLiteral("gone/x.cnt"));
        QDir().mkdir(m_dir->Path(QStringLiteral("gone")));
        m_answers->Then([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            Choose(d, missing);
            // The folder disappears between the choice and the save.
            QDir().rmdir(m_dir->Path(QStringLiteral("gone")));
        });
        Message(kSaveCaption, QStringLiteral("Невозможно сохранить файл"), QMessageBox::Ok, QMessageBox::Ok);
        Run("FileSave1");
        QCOMPARE(int(m_window->Store().MainImage[20]), 0);
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));
    }

    void newRestoresDefaults()
    {
        ConfigStore other;
        EncodeText(std::span(other.MainImage).subspan(43, 9), "other");
        const QString path = m_dir->Path(QStringLiteral("other.cnt"));
        QCOMPARE(SaveConfigFile(other, path.toStdString()), 0);
        ChooseFile(kOpenCaption, path, QFileDialog::AcceptOpen);
        Run("FileOpen1");
        Select(1);
        QCOMPARE(W<QLineEdit>("MaskEditPassword")->text(), QStringLiteral("other"));
        m_window->Store().SystemParameters[0] = 7;
        Run("FileNew1");
        QCOMPARE(W<QLineEdit>("MaskEditPassword")->text(), QStringLiteral("lynx"));
        QVERIFY(m_window->Store().MainImage == ConfigStore().MainImage);
        QCOMPARE(int(m_window->Store().SystemParameters[0]), 7);
        QCOMPARE(m_window->StatusPanelText(0), QStringLiteral("default.cnt"));
    }
};

QTEST_MAIN(FileActionsTest)
#include "FileActionsTest.moc"
