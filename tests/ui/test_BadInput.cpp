// The bad-input tour: every refusal ends in a clear message, and nothing is created, lost or
// half-written.

#include "ScriptedModalSeam.h"
#include "UiTest.h"

#include "materials/Catalogue.h"
#include "ui/DialogTable.h"
#include "ui/LoopLabChart.h"
#include "ui/MaterialDialog.h"
#include "ui/MaterialManager.h"
#include "ui/Unit1.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace looplab;
using looplab::test::ScriptedModalSeam;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString fieldFor(const DialogTable& table, std::string_view parameter) {
    for (const DialogField& f : table.fields) {
        if (f.parameter == parameter) {
            return QString::fromLatin1(f.field.data(), static_cast<int>(f.field.size()));
        }
    }
    return {};
}

// A small filesystem of its own, mounted for the test and gone after it.
class SmallFilesystem {
public:
    SmallFilesystem(const QString& where, const char* options) : path(where) {
        QDir().mkpath(path);
        mounted = ::mount("tmpfs", path.toLocal8Bit().constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallFilesystem() {
        if (mounted) {
            ::umount(path.toLocal8Bit().constData());
        }
    }
    bool remountReadOnly() {
        return ::mount("tmpfs", path.toLocal8Bit().constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    QString path;
    bool mounted = false;
};

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    void importFile(TForm1& window, ScriptedModalSeam& seam, const QString& path,
                    const QString& firstLine = QStringLiteral("1")) {
        seam.inputAnswers.push_back(firstLine);
        seam.openAnswers.push_back(path);
        window.btn1Click();
    }

    // A window with one plotted loop, to see that refusals leave it alone.
    void plotOneLoop(TForm1& window, ScriptedModalSeam& seam) {
        const ModelEntry* model = findModel("Steel01");
        auto material = model->factory(0, {300, 200000, 0.01, 0, 55, 0, 55});
        material->name = "S01";
        window.appendMaterial(std::move(material));
        window.addCheckListEntry("S01");
        window.SelectAll1Click();
        importFile(window, seam, writeFile("good.txt", "0.001\n0.002\n-0.001\n"));
        window.btn3Click();
        QCOMPARE(window.loopCount(), 1);
    }

private slots:
    void initTestCase() { qputenv("LC_ALL", "C"); }

    void everyDialogFieldRefusesTextsThatAreNoNumbers() {
        ScriptedModalSeam seam;
        TForm1 window;
        const QStringList bad{"", "   ", "abc", "1,5", "1e400", "nan", "inf"};
        int refusals = 0;
        for (const DialogTable& table : dialogTables()) {
            const ModelEntry* model = findModel(table.className);
            MaterialDialog dialog(table, &window, window.materialManager()->lst1, nullptr);
            for (const DialogField& field : table.fields) {
                auto* edit = dialog.findChild<QLineEdit*>(
                    QString::fromLatin1(field.field.data(), static_cast<int>(field.field.size())));
                QVERIFY(edit != nullptr);
                const QString original = edit->text();
                bool isInt = false;
                for (const ParameterSpec& p : model->parameters) {
                    if (p.name == field.parameter) {
                        isInt = p.type == ParameterType::Int;
                    }
                }
                for (const QString& text : bad) {
                    seam.shown.clear();
                    edit->setText(text);
                    dialog.btn1Click();
                    const QString trimmed = text.trimmed();
                    const QString expected =
                        isInt ? "''" + trimmed + "'' is not a valid integer value"
                              : "'" + trimmed + "' is not a valid floating point value";
                    QCOMPARE(seam.texts("error"), QStringList{expected});
                    ++refusals;
                }
                edit->setText(original);
            }
            QCOMPARE(window.lst1->count(), 0);
            QCOMPARE(window.materialManager()->lst1->count(), 0);
        }
        QVERIFY(refusals > 100 * 7);
    }

    void degenerateParametersAreRefusedByName() {
        ScriptedModalSeam seam;
        TForm1 window;
        const QList<QPair<const char*, QPair<const char*, const char*>>> cases{
            {"Steel01", {"E", "0"}},         {"Steel02", {"b", "1"}},
            {"Steel4", {"cycNum", "-1"}},    {"SteelMPF", {"bp", "1"}},
            {"RambergOsgoodSteel", {"n", "1"}}, {"Concrete01", {"epsc0", "0"}},
            {"Concrete02", {"lambda", "1"}}, {"Concrete04", {"beta", "0"}},
            {"Concrete06", {"n", "1"}},      {"Concrete07", {"r", "1"}},
            {"ConcreteD", {"Ec", "0"}},      {"ElasticPPMaterial", {"E", "0"}},
            {"EPPGapMaterial", {"eta", "1"}}, {"HystereticMaterial", {"e1p", "0"}}};
        QCOMPARE(cases.size(), 14);
        for (const auto& [className, change] : cases) {
            const DialogTable* table = dialogTableFor(className);
            QVERIFY(table != nullptr);
            MaterialDialog dialog(*table, &window, window.materialManager()->lst1, nullptr);
            dialog.findChild<QLineEdit*>(fieldFor(*table, change.first))
                ->setText(QString::fromLatin1(change.second));
            seam.shown.clear();
            dialog.btn1Click();
            const QStringList warnings = seam.texts("warning");
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings.front().startsWith(QString::fromLatin1(change.first) + " = "),
                     qPrintable(warnings.front()));
            QVERIFY(warnings.front().contains("is refused: "));
            QCOMPARE(window.lst1->count(), 0);
        }
    }

    void firstLinesThatAreNoLineNumbers() {
        ScriptedModalSeam seam;
        TForm1 window;
        plotOneLoop(window, seam);
        const std::vector<double> before = window.history().values;
        const QList<QPair<QString, QString>> cases{
            {"0", "First Line must be greater than 0!"},
            {"-3", "First Line must be greater than 0!"},
            {"2147483648", "''2147483648'' is not a valid integer value"},
            {"1.5", "''1.5'' is not a valid integer value"},
            {"  ", "'''' is not a valid integer value"}};
        for (const auto& [answer, message] : cases) {
            seam.shown.clear();
            seam.inputAnswers.push_back(answer);
            window.btn1Click();
            QCOMPARE(seam.texts("warning"), QStringList{message});
            QCOMPARE(seam.texts("open").size(), 0); // no file dialog
            QCOMPARE(window.history().values, before);
            QCOMPARE(window.loopCount(), 1);
        }
    }

    void historyFilesThatCannotBeRead() {
        ScriptedModalSeam seam;
        TForm1 window;
        plotOneLoop(window, seam);

        QByteArray utf16le("\xFF\xFE", 2), utf16noMark;
        for (const char c : QByteArray("0.5\r\n-0.5\r\n")) {
            utf16le.append(c).append('\0');
            utf16noMark.append(c).append('\0');
        }
        const QString fifo = dir.filePath("pipe");
        ::mkfifo(fifo.toLocal8Bit().constData(), 0600);
        const QString deleted = writeFile("deleted.txt", "1\n");
        QFile::remove(deleted); // chosen in the dialog, gone before the read
        QByteArray hugeLine(100 * 1024 * 1024, '7');
        hugeLine.append("x\n");

        struct Case {
            QString path;
            std::vector<double> values;
            QString warning; // empty: no message
        };
        const std::vector<Case> cases{
            {writeFile("empty.txt", ""), {}, ""},
            {writeFile("headers.txt", "strain\nunit\n"), {}, ""},
            {writeFile("binary.bin", QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)), {},
             "'\xC2\x89PNG' is not a valid floating point value"},
            {writeFile("utf16.txt", utf16le), {0.5, -0.5}, ""},
            {writeFile("utf16-no-mark.txt", utf16noMark), {},
             // the NUL after the 5 is trimmed with the line's other trailing controls
             "'0\xEF\xBF\xBD.\xEF\xBF\xBD" "5' is not a valid floating point value"},
            {writeFile("huge.txt", hugeLine), {},
             "'" + QString(200, '7') + "\xE2\x80\xA6' is not a valid floating point value"},
            {dir.path(), {}, "Cannot open file \"" + dir.path() + "\". Is a directory"},
            {fifo, {}, "Cannot open file \"" + fifo + "\". Not a regular file"},
            {deleted, {}, "Cannot open file \"" + deleted + "\". No such file or directory"}};
        for (const Case& c : cases) {
            seam.shown.clear();
            importFile(window, seam, c.path, c.path.endsWith("headers.txt") ? "3" : "1");
            const QStringList warnings = seam.texts("warning");
            QCOMPARE(warnings, c.warning.isEmpty() ? QStringList() : QStringList{c.warning});
            QCOMPARE(window.history().values, c.values);
            QCOMPARE(window.lnsrsSeries1->data()->size(), static_cast<int>(c.values.size()));
            // The loops of the last plot stay on screen until the next plot.
            QCOMPARE(window.loopCount(), 1);
            QCOMPARE(window.cht1->plottableCount(), 2);
        }
        if (::geteuid() != 0) {
            const QString locked = writeFile("locked.txt", "1\n");
            QFile::setPermissions(locked, QFileDevice::Permissions());
            seam.shown.clear();
            importFile(window, seam, locked);
            QCOMPARE(seam.texts("warning"),
                     QStringList{"Cannot open file \"" + locked + "\". Permission denied"});
        }
    }

    void savingWhereNothingCanBeWritten() {
        ScriptedModalSeam seam;
        TForm1 window;
        plotOneLoop(window, seam);

        // Over a read-only file: refused, the file untouched.
        const QString readOnly = writeFile("kept.csv", "keep me");
        QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
        seam.saveAnswers.push_back(readOnly);
        window.btn4Click();
        QCOMPARE(seam.texts("error"),
                 QStringList{"Cannot create file \"" + readOnly + "\". Permission denied"});
        QCOMPARE(seam.texts("information"), QStringList());
        QCOMPARE(readAll(readOnly), QByteArray("keep me"));

        // Into a folder that cannot be written to.
        SmallFilesystem readOnlyFolder(dir.filePath("ro"), "size=64k");
        if (readOnlyFolder.mounted && readOnlyFolder.remountReadOnly()) {
            seam.shown.clear();
            const QString target = readOnlyFolder.path + "/Loops.csv";
            seam.saveAnswers.push_back(target);
            window.btn4Click();
            QCOMPARE(seam.texts("error"),
                     QStringList{"Cannot create file \"" + target + "\". Read-only file system"});
            QCOMPARE(seam.texts("information"), QStringList());
        } else {
            qWarning("no read-only filesystem could be mounted: that case is not run here");
        }
    }

    void aFullDiskLeavesTheOldFileWhole() {
        ScriptedModalSeam seam;
        TForm1 window;
        // Enough steps that the table cannot fit into 64 kB.
        const ModelEntry* model = findModel("ElasticPPMaterial");
        auto material = model->factory(0, {200000, 0.002, -0.002, 0});
        material->name = "EPP";
        window.appendMaterial(std::move(material));
        window.addCheckListEntry("EPP");
        window.SelectAll1Click();
        QByteArray lines;
        for (int i = 0; i < 20000; ++i) {
            lines += QByteArray::number(0.004 * std::sin(i / 50.0), 'g', 15) + "\n";
        }
        importFile(window, seam, writeFile("long.txt", lines));
        window.btn3Click();

        SmallFilesystem small(dir.filePath("small"), "size=64k");
        if (!small.mounted) {
            QSKIP("no small filesystem can be mounted here; the core tests cover a failed write");
        }
        const QString target = small.path + "/Loops.csv";
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an earlier export\r\n");
        }
        seam.saveAnswers.push_back(target);
        window.btn4Click();
        QCOMPARE(seam.texts("error"),
                 QStringList{"Cannot create file \"" + target + "\". No space left on device"});
        QCOMPARE(seam.texts("information"), QStringList());
        QCOMPARE(readAll(target), QByteArray("an earlier export\r\n"));
        QCOMPARE(QDir(small.path).entryList(QDir::Files), QStringList{"Loops.csv"});
    }

    void nonFiniteStressesAreDrawnAsGapsAndReported() {
        ScriptedModalSeam seam;
        TForm1 window;
        // Damage that grows past every bound over large cycles: accepted parameters whose
        // stresses stop being numbers.
        const ModelEntry* model = findModel("HystereticMaterial");
        ParameterValues values{300, 0.002, 400, 0.02, 410, 0.05, -200, -0.002, -400, -0.02,
                               -410, -0.05, 0.5, 0.4, 0.05, 0.1, 0.0};
        QCOMPARE(model->check(values), std::string());
        auto material = model->factory(0, values);
        material->name = "hym";
        window.appendMaterial(std::move(material));
        window.addCheckListEntry("hym");
        window.SelectAll1Click();
        QByteArray lines;
        for (int i = 0; i < 4000; ++i) {
            lines += QByteArray::number(0.08 * std::sin(i / 7.0), 'g', 15) + "\n";
        }
        importFile(window, seam, writeFile("wild.txt", lines));
        seam.shown.clear();
        window.btn3Click();
        const long long first = window.lastPlot().loops.front().firstNonFiniteStep;
        if (first < 0) {
            QSKIP("this history stays finite; nothing to report");
        }
        const QStringList warnings = seam.texts("warning");
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.front().contains(QString("hym: from step %1").arg(first + 1)));
        // The export writes what the CSV format documents for such values.
        seam.saveAnswers.push_back(dir.filePath("wild.csv"));
        window.btn4Click();
        const QByteArray csv = readAll(dir.filePath("wild.csv"));
        QVERIFY(csv.contains(",NaN,") || csv.contains(",Inf,") || csv.contains(",-Inf,"));
    }
};

LOOPLAB_UI_TEST(BadInputTest);
#include "test_BadInput.moc"
