#pragma once

#include "ui/ModalSeam.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

namespace looplab::test {

// A modal seam for tests: answers from queues the test fills, and records every message,
// dialog and page it was asked to show. An empty answer queue means "cancel".
class ScriptedModalSeam : public ModalSeam {
public:
    struct Shown {
        QString kind; ///< "warning", "information", "error", "input", "open", "save", "url"
        QString text;
    };

    ScriptedModalSeam() { setModalSeam(this); }
    ~ScriptedModalSeam() override { setModalSeam(nullptr); }

    std::deque<QString> inputAnswers;     ///< answers of input boxes; none = cancel
    std::deque<QString> openAnswers;      ///< chosen files of open dialogs; none = cancel
    std::deque<QString> saveAnswers;      ///< chosen files of save dialogs; none = cancel
    // Runs while a dialog is "shown modally"; the dialog is open and visible meanwhile.
    std::function<void(QDialog*)> onDialog;
    std::vector<Shown> shown;
    QString lastSaveFileName;  ///< the file name the last save dialog was preset to
    QString lastSaveFilter;
    QString lastInitialFolder; ///< of the last open or save dialog

    QStringList texts(const QString& kind) const {
        QStringList out;
        for (const Shown& s : shown) {
            if (s.kind == kind) {
                out << s.text;
            }
        }
        return out;
    }

    QString inputBox(QWidget*, const QString& caption, const QString& prompt,
                     const QString& defaultText) override {
        shown.push_back({"input", caption + "|" + prompt + "|" + defaultText});
        return take(inputAnswers, defaultText);
    }
    void warning(QWidget*, const QString& text) override { shown.push_back({"warning", text}); }
    void information(QWidget*, const QString& text) override {
        shown.push_back({"information", text});
    }
    void error(QWidget*, const QString& text) override { shown.push_back({"error", text}); }
    QString openFile(QWidget*, const QString& initialFolder, const QString& filter) override {
        lastInitialFolder = initialFolder;
        shown.push_back({"open", filter});
        return take(openAnswers, QString());
    }
    QString saveFile(QWidget*, const QString& initialFolder, const QString& fileName,
                     const QString& filter) override {
        lastInitialFolder = initialFolder;
        lastSaveFileName = fileName;
        lastSaveFilter = filter;
        shown.push_back({"save", fileName});
        return take(saveAnswers, QString());
    }
    void openUrl(const QUrl& url) override { shown.push_back({"url", url.toString()}); }
    int execDialog(QDialog* dialog) override {
        shown.push_back({"dialog", dialog->objectName()});
        dialog->show();
        if (onDialog) {
            onDialog(dialog);
        }
        const int result = dialog->result();
        dialog->hide();
        return result;
    }

private:
    static QString take(std::deque<QString>& queue, const QString& otherwise) {
        if (queue.empty()) {
            return otherwise;
        }
        QString answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace looplab::test
