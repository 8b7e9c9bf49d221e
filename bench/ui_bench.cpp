// The heavy case through the real windows, offscreen: a 1,000,000-step cyclic history and one
// material of each of the fourteen models (dialog defaults). Times Import, Plot Loops, replots
// of the loop chart (zoom, pan, a legend check box, a resize), animation ticks at the fastest
// speed and Save Loops, each as the median of several runs, then prints the peak memory.

#include "BenchHistory.h"
#include "ScriptedModalSeam.h"

#include "core/NumberText.h"
#include "materials/Catalogue.h"
#include "ui/AnimationForm.h"
#include "ui/LoopLabChart.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QSlider>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <vector>

using namespace looplab;

namespace {

constexpr std::size_t steps = 1000000;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the action `runs` times, each after `prepare`, and returns the median in milliseconds.
double timeAction(int runs, const std::function<void()>& prepare,
                  const std::function<void()>& action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        action();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

void report(const char* action, double milliseconds, double goal) {
    std::printf("%-62s %10.2f ms   goal <= %6.0f ms  %s\n", action, milliseconds, goal,
                milliseconds <= goal ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    test::ScriptedModalSeam seam;
    QTemporaryDir folder;

    const QString historyPath = folder.filePath("history.txt");
    {
        std::FILE* file = std::fopen(historyPath.toLocal8Bit().constData(), "wb");
        for (const double strain : bench::cyclicHistory(steps, 0.03, 2000)) {
            std::fprintf(file, "%s\r\n", formatNumber(strain, '.').c_str());
        }
        std::fclose(file);
    }

    TForm1 window;
    window.resize(1280, 800);
    window.show();
    QCoreApplication::processEvents();
    for (const ModelEntry& model : modelCatalogue()) {
        ParameterValues values;
        for (const ParameterSpec& p : model.parameters) {
            double v = 0.0;
            parseDouble(p.defaultText, '.', v);
            values.push_back(v);
        }
        auto material = model.factory(0, values);
        material->name = std::string(model.className);
        window.appendMaterial(std::move(material));
        window.addCheckListEntry(QString::fromLatin1(model.className.data(),
                                                     static_cast<int>(model.className.size())));
    }
    window.SelectAll1Click();

    const double import = timeAction(
        3,
        [&] {
            seam.inputAnswers.push_back("1");
            seam.openAnswers.push_back(historyPath);
        },
        [&] { window.btn1Click(); });
    report("Import of the 1,000,000-line file, history chart drawn", import, 500);

    const double plot = timeAction(3, [] {}, [&] { window.btn3Click(); });
    report("Plot Loops of 14 materials, loop chart drawn", plot, 3000);
    if (window.loopCount() != 14 || window.pointCount() != static_cast<int>(steps)) {
        std::printf("unexpected plot: %d loops of %d points\n", window.loopCount(),
                    window.pointCount());
        return 1;
    }

    LoopLabChart* chart = window.cht1;
    auto drawnVertices = [&] {
        std::size_t drawn = 0;
        for (int p = 0; p < window.loopCount(); ++p) {
            drawn += qobject_cast<LoopCurve*>(chart->plottable(p))->drawnPointCount();
        }
        return drawn;
    };
    std::printf("%-62s %10zu of %zu\n", "Vertices drawn for the full view (all loops)",
                drawnVertices(), steps * 14);
    const double zoom = timeAction(
        5, [&] { chart->xAxis->scaleRange(0.8, chart->xAxis->range().center()); },
        [&] { chart->replot(); });
    report("Replot after a zoom", zoom, 100);
    std::printf("%-62s %10zu\n", "Vertices drawn after five zooms", drawnVertices());
    const double pan = timeAction(
        5, [&] { chart->xAxis->moveRange(chart->xAxis->range().size() * 0.05); },
        [&] { chart->replot(); });
    report("Replot after a pan", pan, 100);
    const double legend = timeAction(
        6, [&] { chart->plottable(0)->setVisible(!chart->plottable(0)->visible()); },
        [&] { window.cht1Click(); });
    report("Replot after a legend check box", legend, 100);
    int width = 1280;
    const double resize = timeAction(
        5,
        [&] {
            width += 16;
            window.resize(width, 800);
            QCoreApplication::processEvents();
        },
        [&] { chart->replot(); });
    report("Replot after a resize", resize, 100);
    chart->fullView();
    chart->replot();
    // Zoomed in so far that every point is walked (the overview no longer suffices).
    const double deepZoom = timeAction(
        5,
        [&] {
            chart->fullView();
            chart->xAxis->scaleRange(1.0 / 50.0, 0.0);
            chart->yAxis->scaleRange(1.0 / 50.0, 0.0);
        },
        [&] { chart->replot(); });
    report("Replot zoomed in 50 times (every point walked)", deepZoom, 100);
    chart->fullView();
    chart->replot();

    window.btn6Click();
    TForm17* animation = window.animationWindow();
    animation->trckbr1->setValue(10); // 1 ms
    std::vector<double> ticks;
    for (int i = 0; i < 1000; ++i) {
        QElapsedTimer clock;
        clock.start();
        animation->tmrModetmr1Timer();
        ticks.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    report("One animation tick (median of 1,000)", median(ticks), 5);

    const QString csv = folder.filePath("Loops.csv");
    const double save = timeAction(
        3, [&] { seam.saveAnswers.push_back(csv); }, [&] { window.btn4Click(); });
    report("Save Loops of 14 loops", save, 2000);
    if (seam.texts("information").size() != 3) {
        std::printf("Save Loops did not confirm every export\n");
        return 1;
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::printf("%-62s %10.1f MB   goal <= %6.0f MB  %s\n", "Peak memory", peakMegabytes, 800.0,
                peakMegabytes <= 800.0 ? "met" : "MISSED");
    return 0;
}
