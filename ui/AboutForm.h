#pragma once

#include <QDialog>
#include <QLabel>

class QFrame;
class QPushButton;

namespace looplab {

// A label that behaves like a web link: clicking it emits clicked(); the mouse moving over it
// turns it blue, bold and underlined, leaving turns it back to black and bold.
class AboutLinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit AboutLinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHot(bool hot);
};

// The About window: a fixed-size dialog with the product's names, its release date, what it is
// for and a link to the user guide. Shown modally through the modal seam by the main window.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;        ///< "LoopLab"
    QLabel* ProductNameChinese = nullptr; ///< the product name in Chinese
    QLabel* ReleaseDate = nullptr;        ///< "Release date: yyyy-mm-dd"
    QLabel* Comments = nullptr;           ///< what the tool is for
    QLabel* GuideCaption = nullptr;       ///< "User guide : "
    AboutLinkLabel* GuideLink = nullptr;  ///< opens the user guide
    QPushButton* OKButton = nullptr;

    // The release date shown: the build date, as yyyy-mm-dd.
    static QString releaseDate();
    // The picture of the window: a pinched hysteresis loop on a pair of axes.
    static QPixmap loopPicture(int size);

public slots:
    void GuideLinkClick();
};

} // namespace looplab
