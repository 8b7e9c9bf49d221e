// LoopLab: the program. Creates the main window (which creates the material manager) and runs
// the event loop until the main window is closed.

#include "ui/ModalSeam.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QFont>

#include <exception>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LoopLab"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    QApplication::setFont(font);
    try {
        looplab::TForm1 mainWindow;
        mainWindow.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        looplab::modalSeam().error(nullptr, QString::fromUtf8(error.what()));
        return 1;
    }
}
