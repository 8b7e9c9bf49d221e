// Renders every window offscreen into PNG files: the main window with a history and two loops
// plotted, the loop chart with a read-out tooltip, the material manager, two definition
// dialogs, the history generator, the animation window and the About box.
// Usage: looplab-screenshots OUTPUT_FOLDER HISTORY_FILE

#include "ui/AboutForm.h"
#include "ui/AnimationForm.h"
#include "ui/DialogTable.h"
#include "ui/HistoryGeneratorDialog.h"
#include "ui/LoopLabChart.h"
#include "ui/MaterialDialog.h"
#include "ui/MaterialManager.h"
#include "ui/ModalSeam.h"
#include "ui/Unit1.h"

#include "materials/Catalogue.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <QToolTip>

#include <cstdio>

using namespace looplab;

namespace {

// Answers the import's two questions and nothing else.
class ScreenshotSeam : public ModalSeam {
public:
    QString historyPath;
    QString inputBox(QWidget*, const QString&, const QString&, const QString& d) override {
        return d;
    }
    void warning(QWidget*, const QString& text) override {
        std::fprintf(stderr, "warning: %s\n", qPrintable(text));
    }
    void information(QWidget*, const QString&) override {}
    void error(QWidget*, const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
    QString openFile(QWidget*, const QString&, const QString&) override { return historyPath; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void openUrl(const QUrl&) override {}
    int execDialog(QDialog* dialog) override { return dialog->result(); }
};

bool save(QWidget* widget, const QString& folder, const char* name) {
    widget->show();
    QCoreApplication::processEvents();
    const QString path = folder + '/' + QString::fromLatin1(name) + ".png";
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The loop chart's group with the read-out tooltip of a point a third of the way through the
// first loop. A tooltip is a window of its own, so it is painted onto the chart's picture where
// it stands on the screen.
bool saveReadout(TForm1& window, const QString& folder) {
    const QString path = folder + "/loop-readout.png";
    auto* curve = qobject_cast<LoopCurve*>(window.cht1->plottable(0));
    if (curve == nullptr || curve->pointCount() == 0) {
        std::printf("FAILED %s (no loop)\n", qPrintable(path));
        return false;
    }
    const std::size_t step = curve->pointCount() / 3;
    const QPoint pixel(qRound(window.cht1->xAxis->coordToPixel(curve->strainAt(step))),
                       qRound(window.cht1->yAxis->coordToPixel(curve->stressAt(step))));
    const QPoint cursor = pixel + QPoint(2, 2);
    const QString text = window.loopReadoutText(cursor);
    QToolTip::showText(window.cht1->mapToGlobal(cursor), text, window.cht1);
    QCoreApplication::processEvents();
    QPixmap picture = window.grp2->grab();
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->inherits("QTipLabel")) {
            tip = w;
        }
    }
    bool ok = !text.isEmpty() && tip != nullptr;
    if (ok) {
        QPainter painter(&picture);
        const QPoint mark = window.cht1->mapTo(window.grp2, pixel);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(mark, 4, 4);
        painter.drawPixmap(window.grp2->mapFromGlobal(tip->mapToGlobal(QPoint(0, 0))), tip->grab());
    }
    QToolTip::hideText();
    ok = ok && picture.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

void define(TForm1& window, const char* className, const char* name) {
    const ModelEntry* model = findModel(className);
    ParameterValues values;
    for (const ParameterSpec& p : model->parameters) {
        values.push_back(std::stod(std::string(p.defaultText)));
    }
    auto material = model->factory(0, values);
    material->name = name;
    window.appendMaterial(std::move(material));
    window.addCheckListEntry(QString::fromLatin1(name));
    window.materialManager()->lst1->addItem(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: looplab-screenshots OUTPUT_FOLDER HISTORY_FILE\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    ScreenshotSeam seam;
    seam.historyPath = QString::fromLocal8Bit(argv[2]);
    setModalSeam(&seam);

    bool ok = true;
    TForm1 window;
    define(window, "Steel02", "S02");
    define(window, "Steel01", "S01");
    window.SelectAll1Click();
    window.show();
    window.btn1Click();
    window.btn3Click();
    window.btn6Click();
    window.animationWindow()->trckbr2->setValue(window.pointCount() / 3);
    ok &= save(&window, folder, "main-window");
    ok &= saveReadout(window, folder);
    ok &= save(window.animationWindow(), folder, "animation");
    ok &= save(window.materialManager(), folder, "manager");
    for (const char* className : {"Steel01", "ElasticPPMaterial"}) {
        MaterialDialog dialog(*dialogTableFor(className), &window, window.materialManager()->lst1,
                              window.materialManager());
        ok &= save(&dialog, folder, className == std::string("Steel01") ? "dialog-steel01" : "dialog-elasticpp");
    }
    HistoryGeneratorDialog generator(window.dlgOpen1.initialFolder, &window);
    ok &= save(&generator, folder, "history-generator");
    TAboutBox about(&window);
    ok &= save(&about, folder, "about");
    setModalSeam(nullptr);
    return ok ? 0 : 1;
}
