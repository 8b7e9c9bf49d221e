#pragma once

#include <QString>
#include <QUrl>

class QDialog;
class QWidget;

namespace looplab {

// Every modal interaction of the windows goes through this one interface: the real one shows
// Qt dialogs, tests install a scripted one that answers and records what was shown, so no
// test ever blocks on a modal dialog.
class ModalSeam {
public:
    virtual ~ModalSeam() = default;

    // Input box with caption, prompt and default text; cancelling yields the default text.
    virtual QString inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& defaultText) = 0;
    // Modal boxes with a single OK button.
    virtual void warning(QWidget* parent, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& text) = 0;
    // The application's standard error box (conversion errors, file-creation errors).
    virtual void error(QWidget* parent, const QString& text) = 0;
    // Open-file dialog starting in initialFolder; an empty result means cancelled.
    virtual QString openFile(QWidget* parent, const QString& initialFolder,
                             const QString& filter) = 0;
    // Save-file dialog preset to fileName, asking before overwriting an existing file of the
    // chosen name; an empty result means cancelled.
    virtual QString saveFile(QWidget* parent, const QString& initialFolder,
                             const QString& fileName, const QString& filter) = 0;
    // Opens a web page (or a local page) in the default browser.
    virtual void openUrl(const QUrl& url) = 0;
    // Shows a dialog modally and returns its result code.
    virtual int execDialog(QDialog* dialog) = 0;
};

// The seam in use: the Qt one unless a test installed another.
ModalSeam& modalSeam();
// Installs a seam (not owned); nullptr restores the Qt one.
void setModalSeam(ModalSeam* seam);

} // namespace looplab
