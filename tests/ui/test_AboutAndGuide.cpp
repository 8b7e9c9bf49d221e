#include "ScriptedModalSeam.h"
#include "UiTest.h"

#include "materials/Catalogue.h"
#include "ui/AboutForm.h"
#include "ui/DialogTable.h"
#include "ui/UserGuide.h"

#include <QDate>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace looplab;

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The HTML of one model's section of the guide.
QString modelSection(const QString& html, std::string_view className) {
    const QString start = "id=\"model-" + q(className) + "\"";
    const qsizetype from = html.indexOf(start);
    if (from < 0) {
        return QString();
    }
    const qsizetype to = html.indexOf("</section>", from);
    return html.mid(from, to < 0 ? -1 : to - from);
}

// The table rows of a section, one string per <tr>.
QStringList rows(const QString& section) {
    QStringList out;
    qsizetype at = 0;
    while ((at = section.indexOf("<tr>", at)) >= 0) {
        const qsizetype end = section.indexOf("</tr>", at);
        out << section.mid(at, end - at);
        at = end;
    }
    return out;
}

} // namespace

class AboutAndGuideTest : public QObject {
    Q_OBJECT

private slots:
    void aboutBoxShowsBothNamesAndTheDate() {
        TAboutBox box(nullptr);
        QCOMPARE(box.findChild<QLabel*>("ProductName")->text(), QString("LoopLab"));
        QCOMPARE(box.findChild<QLabel*>("ProductNameChinese")->text(),
                 QStringLiteral("滞回曲线实验室"));
        QVERIFY(box.ProductName->font().bold());
        QVERIFY(box.ProductName->font().pointSize() > box.ReleaseDate->font().pointSize());

        const QString date = box.findChild<QLabel*>("ReleaseDate")->text();
        QVERIFY2(date.startsWith("Release date: "), qPrintable(date));
        QVERIFY2(QDate::fromString(date.mid(14), Qt::ISODate).isValid(), qPrintable(date));
        QCOMPARE(box.findChild<QLabel*>("GuideCaption")->text(), QString("User guide : "));
        QVERIFY(!box.ProgramIcon->pixmap().isNull());

        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.minimumSize(), box.maximumSize()); // fixed size
        QVERIFY(box.OKButton->isDefault());
    }

    void guideLinkOpensTheGuideThroughTheSeam() {
        test::ScriptedModalSeam seam;
        TAboutBox box(nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.GuideLink, Qt::LeftButton);
        QCOMPARE(seam.texts("url"), QStringList{userGuideUrl().toString()});
        QVERIFY(userGuideUrl().isLocalFile());
        QVERIFY(userGuideUrl().toLocalFile().endsWith("/LoopLab-Guide.html"));
    }

    void guideLinkHighlightsWhileHovered() {
        TAboutBox box(nullptr);
        AboutLinkLabel* link = box.GuideLink;
        auto colour = [&] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(Qt::black));
        QVERIFY(link->font().bold());
        QVERIFY(!link->font().underline());

        const QPointF inside(2, 2);
        QMouseEvent move(QEvent::MouseMove, inside, link->mapToGlobal(inside), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(link, &move);
        QCOMPARE(colour(), QColor(Qt::blue));
        QVERIFY(link->font().bold());
        QVERIFY(link->font().underline());

        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(link, &leave);
        QCOMPARE(colour(), QColor(Qt::black));
        QVERIFY(link->font().bold());
        QVERIFY(!link->font().underline());
    }

    void okClosesTheBoxAccepted() {
        test::ScriptedModalSeam seam;
        seam.onDialog = [](QDialog* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        };
        TAboutBox box(nullptr);
        QCOMPARE(modalSeam().execDialog(&box), int(QDialog::Accepted));
        QVERIFY(seam.texts("url").isEmpty());
    }

    void guideIsACompleteHtmlPage() {
        const QString html = userGuideHtml();
        QVERIFY(html.startsWith("<!DOCTYPE html>"));
        QVERIFY(html.contains(QRegularExpression("<title>[^<]+</title>")));
        QVERIFY(html.trimmed().endsWith("</html>"));
        QCOMPARE(html.count("<section"), html.count("</section>"));
        QCOMPARE(html.count("<table>"), html.count("</table>"));
        QCOMPARE(html.count("<tr>"), html.count("</tr>"));
        // Self-contained: no script, no style sheet or picture from elsewhere.
        QVERIFY(!html.contains("<script"));
        QVERIFY(!html.contains("<link"));
        QVERIFY(!html.contains("src="));
        // Every in-page link has its target.
        const QRegularExpression anchor("href=\"#([^\"]+)\"");
        for (auto it = anchor.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(html.contains("id=\"" + target + "\""), qPrintable(target));
        }
        // The formats the user relies on.
        QVERIFY(html.contains("Disp.,"));
        QVERIFY(html.contains("CR LF"));
        for (const char* message :
             {"First Line must be greater than 0!", "is not a valid integer value",
              "is not a valid floating point value", "Duplicate Material Name!",
              "Export Done!"}) {
            QVERIFY2(html.contains(QString::fromUtf8(message)), message);
        }
        QVERIFY(html.contains("looplab-batch --list"));
    }

    void guideListsEveryModelAndParameterWithItsDefault() {
        const QString html = userGuideHtml();
        for (const ModelEntry& model : modelCatalogue()) {
            const QString section = modelSection(html, model.className);
            QVERIFY2(!section.isEmpty(), model.className.data());
            QVERIFY(section.contains("<h3>" + q(model.className) + "</h3>"));

            // One header row, then one row per parameter in constructor order.
            const QStringList tableRows = rows(section);
            QCOMPARE(tableRows.size(), qsizetype(model.parameters.size()) + 1);
            const DialogTable* dialog = dialogTableFor(model.className);
            for (std::size_t i = 0; i < model.parameters.size(); ++i) {
                const ParameterSpec& p = model.parameters[i];
                const QString& row = tableRows[qsizetype(i) + 1];
                const QString context = q(model.className) + " " + q(p.name) + ": " + row;
                QVERIFY2(row.contains("<code>" + q(p.name).toHtmlEscaped() + "</code>"),
                         qPrintable(context));
                QVERIFY2(row.contains(">" + q(p.defaultText) + "</td>"), qPrintable(context));
                QVERIFY2(row.contains(p.type == ParameterType::Int ? ">integer<" : ">number<"),
                         qPrintable(context));
                if (dialog != nullptr) {
                    for (const DialogField& field : dialog->fields) {
                        if (field.parameter == p.name) {
                            QString label = q(field.label).trimmed();
                            label.remove(QRegularExpression("[\\s:]+$"));
                            QVERIFY2(row.contains(label.toHtmlEscaped()), qPrintable(context));
                        }
                    }
                }
            }
        }
    }
};

LOOPLAB_UI_TEST(AboutAndGuideTest);

#include "test_AboutAndGuide.moc"
