#include "ui/AboutForm.h"

#include "ui/ModalSeam.h"
#include "ui/UserGuide.h"

#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace looplab {

AboutLinkLabel::AboutLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setHot(false);
}

void AboutLinkLabel::setHot(bool hot) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, hot ? QColor(Qt::blue) : QColor(Qt::black));
    setPalette(p);
    QFont f = font();
    f.setBold(true);
    f.setUnderline(hot);
    setFont(f);
}

void AboutLinkLabel::mouseMoveEvent(QMouseEvent* event) {
    setHot(true);
    QLabel::mouseMoveEvent(event);
}

void AboutLinkLabel::enterEvent(QEnterEvent* event) {
    setHot(true);
    QLabel::enterEvent(event);
}

void AboutLinkLabel::leaveEvent(QEvent* event) {
    setHot(false);
    QLabel::leaveEvent(event);
}

void AboutLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

QString TAboutBox::releaseDate() {
    // __DATE__ reads "Mmm dd yyyy" with the day padded by a blank.
    const QString built = QString::fromLatin1(__DATE__).simplified();
    const QDate date = QDate::fromString(built, "MMM d yyyy");
    return date.isValid() ? date.toString(Qt::ISODate) : built;
}

QPixmap TAboutBox::loopPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF frame(1, 1, size - 2, size - 2);
    QLinearGradient background(frame.topLeft(), frame.bottomLeft());
    background.setColorAt(0, QColor(234, 234, 234));
    background.setColorAt(1, Qt::white);
    painter.setPen(QPen(QColor(169, 169, 169), 1));
    painter.setBrush(background);
    painter.drawRoundedRect(frame, size * 0.08, size * 0.08);

    // Axes through the centre, with arrow heads.
    const double c = size / 2.0;
    const double reach = size * 0.42;
    const double head = size * 0.04;
    painter.setPen(QPen(QColor(64, 64, 64), std::max(1.0, size / 64.0)));
    painter.drawLine(QPointF(c - reach, c), QPointF(c + reach, c));
    painter.drawLine(QPointF(c, c + reach), QPointF(c, c - reach));
    painter.drawLine(QPointF(c + reach, c), QPointF(c + reach - head, c - head * 0.6));
    painter.drawLine(QPointF(c + reach, c), QPointF(c + reach - head, c + head * 0.6));
    painter.drawLine(QPointF(c, c - reach), QPointF(c - head * 0.6, c - reach + head));
    painter.drawLine(QPointF(c, c - reach), QPointF(c + head * 0.6, c - reach + head));

    // A pinched loop: an S-shaped backbone, flat around the origin and stiff towards the
    // peaks; the two branches meet at the peaks and nearly touch around zero.
    const double scale = size * 0.34;
    auto backbone = [](double x) { return 0.75 * x * x * x + 0.2 * x; };
    auto width = [](double x) { return (1.0 - x * x) * (0.05 + 1.0 * x * x); };
    auto point = [&](double x, double y) { return QPointF(c + x * scale, c - y * scale); };
    QPainterPath loop;
    const int n = 64;
    for (int i = 0; i <= n; ++i) { // upper branch, from the positive peak back to the negative
        const double x = 1.0 - 2.0 * i / n;
        const QPointF p = point(x, backbone(x) + width(x));
        i == 0 ? loop.moveTo(p) : loop.lineTo(p);
    }
    for (int i = 1; i <= n; ++i) { // lower branch, reloading to the positive peak
        const double x = -1.0 + 2.0 * i / n;
        loop.lineTo(point(x, backbone(x) - width(x)));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(31, 95, 168), std::max(1.5, size / 30.0), Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(loop);

    // The replay marker on the reloading branch.
    const double xm = 0.55;
    painter.setPen(QPen(QColor(200, 40, 40), std::max(1.0, size / 64.0)));
    painter.setBrush(QColor(240, 90, 70));
    painter.drawEllipse(point(xm, backbone(xm) - width(xm)), size * 0.045, size * 0.045);
    return pixmap;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutBox");
    setWindowTitle("About LoopLab");

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(loopPicture(96));
    ProgramIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    ProductName = new QLabel("LoopLab", Panel1);
    ProductName->setObjectName("ProductName");
    QFont big = ProductName->font();
    big.setPointSize(22);
    big.setBold(true);
    ProductName->setFont(big);

    ProductNameChinese = new QLabel(QStringLiteral("滞回曲线实验室"), Panel1);
    ProductNameChinese->setObjectName("ProductNameChinese");
    QFont second = ProductNameChinese->font();
    second.setPointSize(13);
    second.setBold(true);
    ProductNameChinese->setFont(second);

    ReleaseDate = new QLabel("Release date: " + releaseDate(), Panel1);
    ReleaseDate->setObjectName("ReleaseDate");

    Comments = new QLabel("A desktop tool for uniaxial material models of steel and concrete:\n"
                          "define materials, import a strain history, plot the stress\u2013strain\n"
                          "loops, replay them step by step and save them as CSV.\n"
                          "The batch tool looplab-batch does the same from the command line.",
                          Panel1);
    Comments->setObjectName("Comments");

    GuideCaption = new QLabel("User guide : ", Panel1);
    GuideCaption->setObjectName("GuideCaption");
    GuideLink = new AboutLinkLabel(QString::fromLatin1(userGuideFileName), Panel1);
    GuideLink->setObjectName("GuideLink");
    GuideLink->setToolTip(userGuideUrl().toString());

    auto* guideRow = new QHBoxLayout;
    guideRow->setSpacing(0);
    guideRow->addWidget(GuideCaption);
    guideRow->addWidget(GuideLink);
    guideRow->addStretch(1);

    auto* panelLayout = new QGridLayout(Panel1);
    panelLayout->setContentsMargins(14, 14, 18, 14);
    panelLayout->setHorizontalSpacing(16);
    panelLayout->setVerticalSpacing(4);
    panelLayout->addWidget(ProgramIcon, 0, 0, 6, 1);
    panelLayout->addWidget(ProductName, 0, 1);
    panelLayout->addWidget(ProductNameChinese, 1, 1);
    panelLayout->addItem(new QSpacerItem(0, 8), 2, 1);
    panelLayout->addWidget(ReleaseDate, 3, 1);
    panelLayout->addWidget(Comments, 4, 1);
    panelLayout->addLayout(guideRow, 5, 1);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(OKButton);
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(Panel1);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize); // fixed size, fitted to the contents

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(GuideLink, &AboutLinkLabel::clicked, this, &TAboutBox::GuideLinkClick);
}

void TAboutBox::GuideLinkClick() {
    modalSeam().openUrl(userGuideUrl());
}

} // namespace looplab
