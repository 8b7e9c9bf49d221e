// A soak run in one process: cycles of defining the fourteen materials through the manager and
// their dialogs, importing a history, plotting, 100 animation ticks, saving and Clear All.
// The heap in use after the last cycle must stay within 10 % of what it was after the first.
// Usage: soak [CYCLES]   (default 200)

#include "BenchHistory.h"
#include "ScriptedModalSeam.h"

#include "core/NumberText.h"
#include "ui/AnimationForm.h"
#include "ui/MaterialManager.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>

using namespace looplab;

namespace {

double heapInUseMegabytes() {
    malloc_trim(0);
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
    test::ScriptedModalSeam seam;
    QTemporaryDir folder;
    const QString history = folder.filePath("history.txt");
    {
        std::FILE* file = std::fopen(history.toLocal8Bit().constData(), "wb");
        for (const double strain : bench::cyclicHistory(20000, 0.02, 400)) {
            std::fprintf(file, "%s\n", formatNumber(strain, '.').c_str());
        }
        std::fclose(file);
    }
    const QString csv = folder.filePath("Loops.csv");

    TForm1 window;
    window.show();
    TForm2* manager = window.materialManager();
    int defined = 0;
    seam.onDialog = [&](QDialog* dialog) {
        dialog->findChild<QLineEdit*>("edt1")->setText(QString("m%1").arg(defined++));
        dialog->findChild<QPushButton*>("btn1")->click();
        dialog->findChild<QPushButton*>("btn2")->click();
    };
    const int typesPerCategory[] = {6, 6, 2};

    double afterFirst = 0.0;
    double residentAfterFirst = 0.0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        for (int category = 0; category < 3; ++category) {
            manager->cbb2->setCurrentIndex(category);
            for (int type = 0; type < typesPerCategory[category]; ++type) {
                manager->cbb1->setCurrentIndex(type);
                manager->btn2Click();
            }
        }
        seam.inputAnswers.push_back("1");
        seam.openAnswers.push_back(history);
        window.btn1Click();
        window.SelectAll1Click();
        window.btn3Click();
        window.btn6Click();
        for (int tick = 0; tick < 100; ++tick) {
            window.animationWindow()->tmrModetmr1Timer();
        }
        seam.saveAnswers.push_back(csv);
        window.btn4Click();
        manager->btn1Click(); // Clear All
        QCoreApplication::processEvents();
        if (window.loopCount() != 0 || window.lst1->count() != 0 || defined != 14 * cycle) {
            std::printf("cycle %d left state behind\n", cycle);
            return 1;
        }
        seam.shown.clear();
        if (cycle == 1) {
            afterFirst = heapInUseMegabytes();
            residentAfterFirst = residentMegabytes();
        }
    }
    const double atEnd = heapInUseMegabytes();
    const double residentAtEnd = residentMegabytes();
    const double growth = (atEnd - afterFirst) / afterFirst;
    std::printf("soak: %d cycles of 14 materials, import, plot, 100 ticks, save, Clear All\n",
                cycles);
    std::printf("heap in use: %.1f MB after the first cycle, %.1f MB at the end (%+.1f %%)\n",
                afterFirst, atEnd, 100.0 * growth);
    std::printf("resident:    %.1f MB after the first cycle, %.1f MB at the end\n",
                residentAfterFirst, residentAtEnd);
    const bool ok = growth <= 0.10;
    std::printf("%s\n", ok ? "no leak: within 10 %" : "LEAK: more than 10 % growth");
    return ok ? 0 : 1;
}
