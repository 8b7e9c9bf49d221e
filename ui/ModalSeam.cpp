#include "ui/ModalSeam.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace looplab {

namespace {

class QtModalSeam final : public ModalSeam {
public:
    QString inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                     const QString& defaultText) override {
        bool ok = false;
        const QString text =
            QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
        return ok ? text : defaultText;
    }
    void warning(QWidget* parent, const QString& text) override {
        QMessageBox::warning(parent, QStringLiteral("LoopLab"), text);
    }
    void information(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, QStringLiteral("LoopLab"), text);
    }
    void error(QWidget* parent, const QString& text) override {
        QMessageBox::critical(parent, QStringLiteral("LoopLab"), text);
    }
    QString openFile(QWidget* parent, const QString& initialFolder,
                     const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, QString(), initialFolder, filter);
    }
    QString saveFile(QWidget* parent, const QString& initialFolder, const QString& fileName,
                     const QString& filter) override {
        const QString start = initialFolder.isEmpty() ? fileName : initialFolder + '/' + fileName;
        return QFileDialog::getSaveFileName(parent, QString(), start, filter);
    }
    void openUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }
    int execDialog(QDialog* dialog) override { return dialog->exec(); }
};

QtModalSeam qtSeam;
ModalSeam* currentSeam = &qtSeam;

} // namespace

ModalSeam& modalSeam() { return *currentSeam; }

void setModalSeam(ModalSeam* seam) { currentSeam = seam != nullptr ? seam : &qtSeam; }

} // namespace looplab
