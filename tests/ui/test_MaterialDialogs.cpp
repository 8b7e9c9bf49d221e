// The definition dialogs: every table as the user sees it, and Add with its refusals.

#include "ScriptedModalSeam.h"
#include "UiTest.h"

#include "core/NumberText.h"
#include "materials/Catalogue.h"
#include "materials/concrete/Concrete01.h"
#include "materials/concrete/Concrete02.h"
#include "materials/concrete/Concrete04.h"
#include "materials/concrete/Concrete06.h"
#include "materials/concrete/Concrete07.h"
#include "materials/concrete/ConcreteD.h"
#include "materials/standard/EPPGapMaterial.h"
#include "materials/standard/ElasticPPMaterial.h"
#include "materials/standard/HystereticMaterial.h"
#include "materials/steel/RambergOsgoodSteel.h"
#include "materials/steel/Steel01.h"
#include "materials/steel/Steel02.h"
#include "materials/steel/Steel4.h"
#include "materials/steel/SteelMPF.h"
#include "ui/EPPGAPMaterialForm.h"
#include "ui/EPPMaterialForm.h"
#include "ui/MaterialDialog.h"
#include "ui/MaterialRegistryHost.h"
#include "ui/Steel01Form.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace looplab;
using looplab::test::ScriptedModalSeam;

// The main window's registry and check list, reduced to what the dialogs touch.
class FakeRegistryHost : public MaterialRegistryHost {
  public:
    std::vector<std::unique_ptr<UniaxialMaterial>> registry;
    QStringList checkList;

    bool materialNameExists(const QString& name) const override {
        for (const auto& material : registry) {
            if (QString::fromStdString(material->name) == name) {
                return true;
            }
        }
        return false;
    }
    void appendMaterial(std::unique_ptr<UniaxialMaterial> material) override {
        registry.push_back(std::move(material));
    }
    void addCheckListEntry(const QString& name) override { checkList << name; }
    void clearAllMaterials() override {
        registry.clear();
        checkList.clear();
    }
};

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (old_) {
            qputenv(name_, old_->c_str());
        } else {
            qunsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// One dialog as the user must see it. Fields and labels are in constructor order.
struct ExpectedDialog {
    const char* form;
    const char* className;
    const char* caption;
    const char* defaultName;
    int width;
    int height;
    int classTag;
    const char* fields; // "edt2=300 edt3=200000 ..."
    const char* labels; // "Yield Stress (Fy):|..."
};

const std::vector<ExpectedDialog>& expectedDialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {"TForm3", "Steel01", "Define Steel01 Material", "S01", 403, 337, Steel01::classTagValue,
         "edt2=300 edt3=200000 edt4=0.01 edt5=0.0 edt6=55.0 edt7=0.0 edt8=55.0",
         "Yield Stress (Fy):|Modulus of Elasticity (E):|Hardening Ratio (b):|Iso Hardening "
         "Parameter (a1):|Iso Hardening Parameter (a2):|Iso Hardening Parameter (a3):|Iso "
         "Hardening Parameter (a4):"},
        {"TForm4", "Steel02", "Define Steel02 Material", "S02", 403, 431, Steel02::classTagValue,
         "edt2=300 edt3=200000 edt4=0.01 edt11=15.0 edt10=0.925 edt9=0.15 edt5=0.0 edt6=1.0 "
         "edt7=0.0 edt8=1.0 edt12=0.0",
         "Yield Stress (Fy):|Modulus of Elasticity (E):|Hardening Ratio (b):|Transition "
         "Parameter (R0):|Transition Parameter (CR1):|Transition Parameter (CR2):|Iso Hardening "
         "Parameter (a1):|Iso Hardening Parameter (a2):|Iso Hardening Parameter (a3):|Iso "
         "Hardening Parameter (a4):|Initial Stress (sig0):"},
        {"TForm5", "Steel4", "Define Steel4 Material", "S04", 773, 488, Steel4::classTagValue,
         "edt2=300 edt3=200000 edt5=0.0 edt6=50.0 edt7=0.1 edt8=0.15 edt21=0.0 edt20=50.0 "
         "edt19=0.1 edt18=0.15 edt4=0.0 edt10=1.0 edt9=0.0 edt11=50.0 edt12=0.0 edt17=0.0 "
         "edt15=1.0 edt16=0.0 edt14=50.0 edt23=500000000 edt22=50.0 edt25=500000000 edt24=50.0 "
         "edt26=50 edt27=0.0",
         "Yield Stress (Fy):|Modulus of Elasticity (E):|Kin Hardening Parameter (b_k):|Kin "
         "Hardening Parameter (R_0):|Kin Hardening Parameter (r_1):|Kin Hardening Parameter "
         "(r_2):|Kin Hardening Parameter (b_kc):|Kin Hardening Parameter (R_0c):|Kin Hardening "
         "Parameter (r_1c):|Kin Hardening Parameter (r_2c):|Iso Hardening Parameter (b_i):|Iso "
         "Hardening Parameter (rho_i):|Iso Hardening Parameter (b_l):|Iso Hardening Parameter "
         "(R_i):|Iso Hardening Parameter (l_yp):|Iso Hardening Parameter (b_ic):|Iso Hardening "
         "Parameter (rho_ic):|Iso Hardening Parameter (b_lc):|Iso Hardening Parameter "
         "(R_ic):|Ultimate strength (f_u):|Exp. Transition Parameter  (Ru):|Ultimate strength "
         "(f_uc):|Exp. Transition Parameter  (Ruc):|Load history memory  (cycNum):|Initial "
         "stress  (sig_init):"},
        {"TForm7", "RambergOsgoodSteel", "Define RambergOsgoodSteel Material", "ro", 397, 215,
         RambergOsgoodSteel::classTagValue, "edt2=400 edt3=200000 edt6=0.002 edt4=5",
         "Yield Strength (fy):|Initial Elastic Tangent (E0):|Yield Offset (a):|Hardening "
         "Parameter (n):"},
        {"TForm8", "SteelMPF", "Define Menegotto and Pinto & Filippou Steel Material", "smpf", 449,
         458, SteelMPF::classTagValue,
         "edt2=340 edt3=340 edt6=200000 edt4=0.002 edt5=0.002 edt7=20 edt8=0.925 edt9=0.15 "
         "edt13=0.0 edt12=1.0 edt11=0.0 edt10=1.0",
         "Yield Strength in Tension (fyp):|Yield Strength in Compression (fyn):|Initial Tangent "
         "Modulus (E0):|Strain Hardening Ratio in Tension (bp):|Strain Hardening Ratio in "
         "Compression (bn):|Initial Value of Curvature Parameter (R0):|Curvature degradation "
         "parameter (cR1):|Curvature degradation parameter (cR2):|Iso Hardening Parameter "
         "(a1):|Iso Hardening Parameter (a2):|Iso Hardening Parameter (a3):|Iso Hardening "
         "Parameter (a4):"},
        {"TForm9", "Concrete01", "Define Concrete01 Material", "C01", 449, 218,
         Concrete01::classTagValue, "edt2=-24.0 edt3=-0.002 edt6=-4.0 edt4=-0.005",
         "Concrete Compressive Strength (fpc):|Concrete Strain at Maximum Strength "
         "(epsc0):|Concrete Crushing Strength (fpcu):|Concrete Strain at Crusing Strength "
         "(epsU):"},
        {"TForm10", "Concrete02", "Define Concrete 02 Material", "C02", 449, 303,
         Concrete02::classTagValue,
         "edt2=-24.0 edt3=-0.002 edt6=-4.0 edt4=-0.005 edt8=0.1 edt7=4 edt5=20000",
         "Concrete Compressive Strength (fpc):|Concrete Strain at Maximum Strength "
         "(epsc0):|Concrete Crushing Strength (fpcu):|Concrete Strain at Crusing Strength "
         "(epsU):|Unloading slope and Initial Slope Ratio (lambda):|Concrete Tensile Strength "
         "(ft):|Tension Softening Stiffness (Ets):"},
        {"TForm11", "Concrete04", "Define Popovics Concrete Material", "C04", 449, 325,
         Concrete04::classTagValue,
         "edt2=-24.0 edt3=-0.002 edt6=-0.005 edt4=20000 edt5=0.0 edt7=0.0 edt8=0.1",
         "Concrete Compressive Strength (fc):|Concrete Strain at Maximum Strength (ec):|Concrete "
         "Strain at Crusing Strength (ecu):|Initial Stiffness (Ec):|Concrete Tensile Strength "
         "(fct):|Ultimate Tensile Strain of Concrete (et):|Exponential Curve Parameter (beta):"},
        {"TForm12", "Concrete06", "Define Concrete 06 Material", "C06", 449, 348,
         Concrete06::classTagValue,
         "edt2=-24.0 edt3=-0.002 edt6=2 edt4=1 edt5=0.32 edt7=3 edt8=0.00008 edt9=4 edt10=0.08",
         "Concrete Compressive Strength (fc):|Strain at Compressive Strength (e0):|Compressive "
         "Shape Factor (n):|Post-Peak Compressive Shape Factor (k):|α1 Parameter for "
         "Compressive Plastic Strain Definitions (alph1):|Tensile Strength (fcr):|Tensile Strain "
         "at Peak Stress (ecr):|Exponent of the Tension Stiffening Curve (b):|α2 Parameter for "
         "Tensile Plastic Strain Definition (alph2):"},
        {"TForm13", "Concrete07", "Define Concrete 07 Material", "C07", 449, 318,
         Concrete07::classTagValue,
         "edt2=-24.0 edt3=-0.002 edt6=27000 edt7=3 edt8=0.00008 edt4=2 edt5=2.3 edt9=2.7",
         "Concrete Compressive Strength (fc):|Strain at Compressive Strength (ec):|Initial "
         "Elastic modulus  (Ec):|Tensile Strength (ft):|Tensile Strain at Peak Stress "
         "(et):|Non-dimensional Parameter (xp):|Non-dimensional Parameter (xn):|Parameter that "
         "Controls the Nonlinear Descending Branch (r):"},
        {"TForm14", "ConcreteD", "Define ConcreteD Material", "CD", 449, 353,
         ConcreteD::classTagValue,
         "edt2=-27.6 edt3=-0.002 edt7=3 edt8=0.0001 edt6=35000 edt4=1.0 edt5=0.1 edt9=0.25 "
         "edt10=1.15",
         "Concrete Compressive Strength (fc):|Strain at Compressive Strength (epsc):|Tensile "
         "Strength (ft):|Tensile Strain at Peak Stress (epst):|Initial Elastic modulus  "
         "(Ec):|Compressive Descending Parameter (alphac):|Compressive Descending Parameter "
         "(alphat):|Plastic Parameter (cesp):|Plastic Parameter (etap):"},
        {"TForm15", "ElasticPPMaterial", "Define Elastic-Perfectly Plastic Material", "EPP", 449,
         216, ElasticPPMaterial::classTagValue, "edt2=200000 edt3=0.002 edt6=-0.002 edt7=0",
         "Tengent (E):|Yield Deformation (epsyP):|Yield Deformation  (epsyN):|Initial Strain "
         "(eps0):"},
        {"TForm16", "EPPGapMaterial", "Define EPP GAP Material", "EPP", 449, 241,
         EPPGapMaterial::classTagValue, "edt2=200000 edt3=300 edt6=-0.002 edt7=0.01 edt4=0",
         "Tengent (E):|Yield Stress (Fy):|Initial Gap  (gap):|Hardening Ratio (eta):|Damage ( "
         "0/1 ):"},
        {"TForm6", "HystereticMaterial", "Define Hysteretic Material", "hym", 773, 406,
         HystereticMaterial::classTagValue,
         "edt2=300 edt3=0.002 edt6=400 edt4=0.02 edt8=410 edt7=0.05 edt14=-200 edt13=-0.002 "
         "edt12=-400 edt11=-0.02 edt10=-410 edt9=-0.05 edt18=1 edt17=1 edt16=0.0 edt15=0.0 "
         "edt5=0.0",
         "Stress / Force 1 (s1p):|Strain / Deformation 1 (e1p):|Stress / Force 2 (s2p):|Strain "
         "/ Deformation 2 (e2p):|Stress / Force 3 (s3p):|Strain / Deformation 3 (e3p):|Stress / "
         "Force 1 (s1n):|Strain / Deformation 1 (e1n):|Stress / Force 2 (s2n):|Strain / "
         "Deformation 2 (e2n):|Stress / Force 3 (s3n):|Strain / Deformation 3 (e3n):|Pinching "
         "factor for strain (pinchx):|Pinching factor for stress (pinchy):|Damage due to "
         "Ductility (damage1):|Damage due to Ductility (damage2):|Degraded Unloading Stiffness "
         "Parameter (beta):"},
    };
    return dialogs;
}

// Loading, unloading into compression and reloading: far enough past yield and crushing for
// every model that a parameter in the wrong place changes some stress.
const std::vector<double>& strainPath() {
    static const std::vector<double> path = {0.0005, 0.001,  0.003,  0.006,  0.012,
                                             0.002,  -0.001, -0.003, -0.006, -0.012,
                                             -0.002, 0.001,  0.004,  0.009,  -0.0005};
    return path;
}

std::vector<double> responseOf(UniaxialMaterial& material) {
    std::vector<double> stresses;
    material.revertToInitial();
    for (double strain : strainPath()) {
        material.applyTrialStrain(strain, 0.0);
        stresses.push_back(material.currentStress());
        material.commit();
    }
    return stresses;
}

bool sameResponse(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool bothNaN = std::isnan(a[i]) && std::isnan(b[i]);
        if (!bothNaN && a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// The response of a model built straight from the catalogue with the given values.
std::vector<double> catalogueResponse(const char* className, const ParameterValues& values) {
    const ModelEntry* model = findModel(className);
    std::unique_ptr<UniaxialMaterial> material = model->factory(0, values);
    return responseOf(*material);
}

ParameterValues catalogueDefaults(const char* className) {
    ParameterValues values;
    for (const ParameterSpec& spec : findModel(className)->parameters) {
        double value = 0.0;
        if (!parseDouble(spec.defaultText, '.', value)) {
            qFatal("catalogue default does not convert");
        }
        values.push_back(value);
    }
    return values;
}

QRect rectIn(const QWidget* widget, const QWidget* window) {
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

struct DialogUnderTest {
    FakeRegistryHost host;
    QListWidget managerList;
    std::unique_ptr<MaterialDialog> dialog;

    explicit DialogUnderTest(const char* className) {
        dialog = std::make_unique<MaterialDialog>(*dialogTableFor(className), &host, &managerList,
                                                  nullptr);
        dialog->show();
    }
    QLineEdit* field(const char* name) const { return dialog->findChild<QLineEdit*>(name); }
    void add() const { QTest::mouseClick(dialog->btn1, Qt::LeftButton); }
};

} // namespace

class MaterialDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedEnv> locale_;
    // Every test answers modal boxes from a script, so none can block.
    std::unique_ptr<ScriptedModalSeam> seam;

  private slots:
    void initTestCase() { locale_ = std::make_unique<ScopedEnv>("LC_ALL", "C"); }
    void cleanupTestCase() { locale_.reset(); }
    void init() { seam = std::make_unique<ScriptedModalSeam>(); }
    void cleanup() { seam.reset(); }

    void tablesFollowTheCatalogue() {
        QCOMPARE(dialogTables().size(), std::size_t(14));
        QSet<QString> forms;
        for (const DialogTable& table : dialogTables()) {
            const QString form = QString::fromUtf8(table.formName.data(), table.formName.size());
            QVERIFY2(!forms.contains(form), qPrintable(form));
            forms.insert(form);
            QCOMPARE(dialogTableFor(table.className), &table);
            const ModelEntry* model = findModel(table.className);
            QVERIFY2(model != nullptr && model->available(), qPrintable(form));
            QCOMPARE(table.fields.size(), model->parameters.size());
            QSet<QString> fieldNames;
            QSet<QString> places;
            for (std::size_t i = 0; i < table.fields.size(); ++i) {
                const DialogField& f = table.fields[i];
                QCOMPARE(f.parameter, model->parameters[i].name);
                fieldNames.insert(QString::fromUtf8(f.field.data(), f.field.size()));
                places.insert(
                    QStringLiteral("%1/%2/%3").arg(int(f.group)).arg(f.row).arg(f.column));
            }
            QCOMPARE(fieldNames.size(), qsizetype(table.fields.size()));
            QCOMPARE(places.size(), qsizetype(table.fields.size()));
        }
        QCOMPARE(dialogTableFor("Steel5"), nullptr);
    }

    void dialogShowsItsTable_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < expectedDialogs().size(); ++i) {
            QTest::newRow(expectedDialogs()[i].form) << int(i);
        }
    }
    void dialogShowsItsTable() {
        QFETCH(int, index);
        const ExpectedDialog& expected = expectedDialogs()[std::size_t(index)];
        DialogUnderTest t(expected.className);
        MaterialDialog& d = *t.dialog;

        QCOMPARE(d.objectName(), QString(expected.form));
        QCOMPARE(d.windowTitle(), QString::fromUtf8(expected.caption));
        QVERIFY(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(d.size(), QSize(expected.width, expected.height));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QCOMPARE(d.edt1->text(), QString(expected.defaultName));
        QCOMPARE(d.lbl1->text(), QString("Material Name"));
        QCOMPARE(d.btn1->text(), QString("Add"));
        QCOMPARE(d.btn2->text(), QString("Close"));
        QCOMPARE(d.grp1->title(), QString("Parameters"));

        const QStringList fields = QString(expected.fields).split(' ');
        const QStringList labels = QString::fromUtf8(expected.labels).split('|');
        QCOMPARE(labels.size(), fields.size());
        QCOMPARE(qsizetype(d.parameterFields().size()), fields.size());
        bool anyOptional = false;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const QString name = fields[i].section('=', 0, 0);
            const QString defaultText = fields[i].section('=', 1);
            QLineEdit* edit = d.findChild<QLineEdit*>(name);
            QVERIFY2(edit != nullptr, qPrintable(name));
            QCOMPARE(d.parameterFields()[std::size_t(i)], edit);
            QCOMPARE(edit->text(), defaultText);
            QLabel* label = nullptr;
            for (QLabel* candidate : d.findChildren<QLabel*>()) {
                if (candidate->buddy() == edit) {
                    label = candidate;
                }
            }
            QVERIFY2(label != nullptr, qPrintable(name));
            QCOMPARE(label->text(), labels[i]);
            // Label left of its field, on the same row, inside the same group.
            const QRect l = rectIn(label, &d);
            const QRect e = rectIn(edit, &d);
            QVERIFY2(l.right() < e.left(), qPrintable(name));
            QVERIFY2(l.center().y() >= e.top() && l.center().y() <= e.bottom(), qPrintable(name));
            QCOMPARE(label->parentWidget(), edit->parentWidget());
            anyOptional = anyOptional || edit->parentWidget() == d.grp2;
        }
        QCOMPARE(d.grp2 != nullptr, anyOptional);
        if (d.grp2 != nullptr) {
            QCOMPARE(d.grp2->title(), QString("Optional Parameters"));
        }

        // Add with the defaults: the model of the dialog, named, registered and listed,
        // answering exactly like one built from the catalogue defaults.
        t.add();
        QVERIFY2(seam->shown.empty(), seam->shown.empty() ? "" : qPrintable(seam->shown[0].text));
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        UniaxialMaterial& built = *t.host.registry.front();
        QCOMPARE(built.classTag, expected.classTag);
        QCOMPARE(built.tag, 0);
        QCOMPARE(QString::fromStdString(built.name), QString(expected.defaultName));
        QCOMPARE(t.host.checkList, QStringList{expected.defaultName});
        QCOMPARE(t.managerList.count(), 1);
        QCOMPARE(t.managerList.item(0)->text(), QString(expected.defaultName));
        QVERIFY(sameResponse(
            responseOf(built),
            catalogueResponse(expected.className, catalogueDefaults(expected.className))));
        QVERIFY(d.isVisible());
        QCOMPARE(d.edt1->text(), QString(expected.defaultName));
    }

    // Every label shows its whole text inside the fixed client area; nothing overlaps.
    void layoutFitsClientArea_data() { dialogShowsItsTable_data(); }
    void layoutFitsClientArea() {
        QFETCH(int, index);
        const ExpectedDialog& expected = expectedDialogs()[std::size_t(index)];
        DialogUnderTest t(expected.className);
        MaterialDialog& d = *t.dialog;
        QVERIFY(d.layout()->totalMinimumSize().width() <= d.width());
        QVERIFY(d.layout()->totalMinimumSize().height() <= d.height());
        QVERIFY(d.font().pointSizeF() >= 6.0);

        std::vector<QWidget*> controls;
        for (QLabel* label : d.findChildren<QLabel*>()) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
            QVERIFY2(label->height() >= label->sizeHint().height(), qPrintable(label->text()));
            controls.push_back(label);
        }
        for (QLineEdit* edit : d.findChildren<QLineEdit*>()) {
            QVERIFY(edit->width() >= edit->fontMetrics().horizontalAdvance("500000000"));
            controls.push_back(edit);
        }
        for (QPushButton* button : d.findChildren<QPushButton*>()) {
            QVERIFY(button->width() >= button->sizeHint().width());
            controls.push_back(button);
        }
        const QRect client = d.rect();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const QRect a = rectIn(controls[i], &d);
            QVERIFY2(client.contains(a), qPrintable(controls[i]->objectName()));
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                QVERIFY2(!a.intersects(rectIn(controls[j], &d)),
                         qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
            }
        }
        // Set LOOPLAB_UI_SNAPSHOTS to a folder to look at the dialogs.
        const QByteArray folder = qgetenv("LOOPLAB_UI_SNAPSHOTS");
        if (!folder.isEmpty()) {
            QDir().mkpath(QString::fromLocal8Bit(folder));
            QVERIFY(d.grab().save(QString::fromLocal8Bit(folder) + '/' + expected.form + ".png"));
        }
    }

    void twoColumnDialogsPlaceTwinsSideBySide() {
        {
            DialogUnderTest t("Steel4");
            const QStringList pairs = {"edt2:edt3",   "edt5:edt21",  "edt6:edt20", "edt7:edt19",
                                       "edt8:edt18",  "edt4:edt17",  "edt9:edt16", "edt10:edt15",
                                       "edt11:edt14", "edt23:edt25", "edt22:edt24"};
            for (const QString& pair : pairs) {
                const QRect left =
                    rectIn(t.field(qPrintable(pair.section(':', 0, 0))), t.dialog.get());
                const QRect right =
                    rectIn(t.field(qPrintable(pair.section(':', 1))), t.dialog.get());
                QVERIFY2(left.right() < right.left(), qPrintable(pair));
                QCOMPARE(left.top(), right.top());
            }
            // l_yp, cycNum and sig_init stand alone, below each other in the left column.
            const QRect lyp = rectIn(t.field("edt12"), t.dialog.get());
            const QRect fu = rectIn(t.field("edt23"), t.dialog.get());
            const QRect cyc = rectIn(t.field("edt26"), t.dialog.get());
            const QRect sig = rectIn(t.field("edt27"), t.dialog.get());
            QCOMPARE(lyp.left(), fu.left());
            QVERIFY(lyp.bottom() < fu.top());
            QCOMPARE(cyc.left(), fu.left());
            QVERIFY(fu.bottom() < cyc.top() && cyc.bottom() < sig.top());
        }
        {
            DialogUnderTest t("HystereticMaterial");
            const QStringList pairs = {"edt2:edt14", "edt3:edt13", "edt6:edt12",
                                       "edt4:edt11", "edt8:edt10", "edt7:edt9"};
            for (const QString& pair : pairs) {
                const QRect left =
                    rectIn(t.field(qPrintable(pair.section(':', 0, 0))), t.dialog.get());
                const QRect right =
                    rectIn(t.field(qPrintable(pair.section(':', 1))), t.dialog.get());
                QVERIFY2(left.right() < right.left(), qPrintable(pair));
                QCOMPARE(left.top(), right.top());
            }
            // pinchx, pinchy, damage1, damage2 continue the left column under e3p.
            int previousBottom = rectIn(t.field("edt7"), t.dialog.get()).bottom();
            const int left = rectIn(t.field("edt7"), t.dialog.get()).left();
            for (const char* name : {"edt18", "edt17", "edt16", "edt15"}) {
                const QRect r = rectIn(t.field(name), t.dialog.get());
                QCOMPARE(r.left(), left);
                QVERIFY(r.top() > previousBottom);
                previousBottom = r.bottom();
            }
            QCOMPARE(t.field("edt5")->parentWidget(), t.dialog->grp2);
        }
    }

    void concreteDTakesEcFifth() {
        DialogUnderTest t("ConcreteD");
        // Third field from the top is Ec.
        const int ecTop = rectIn(t.field("edt6"), t.dialog.get()).top();
        QVERIFY(rectIn(t.field("edt3"), t.dialog.get()).top() < ecTop);
        QVERIFY(ecTop < rectIn(t.field("edt7"), t.dialog.get()).top());

        t.field("edt6")->setText("32000");
        t.add();
        QVERIFY(seam->shown.empty());
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        ParameterValues asFifth = catalogueDefaults("ConcreteD");
        asFifth[4] = 32000.0;
        ParameterValues asThird = catalogueDefaults("ConcreteD");
        asThird[2] = 32000.0;
        const std::vector<double> built = responseOf(*t.host.registry.front());
        QVERIFY(sameResponse(built, catalogueResponse("ConcreteD", asFifth)));
        QVERIFY(!sameResponse(built, catalogueResponse("ConcreteD", asThird)));
        QVERIFY(
            !sameResponse(built, catalogueResponse("ConcreteD", catalogueDefaults("ConcreteD"))));
    }

    // The pinching, damage and beta fields of the hysteretic dialog are read like any other.
    void hystereticReadsPinchingAndDamage() {
        DialogUnderTest t("HystereticMaterial");
        t.field("edt18")->setText("0.5");  // pinchx
        t.field("edt17")->setText("0.25"); // pinchy
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        ParameterValues values = catalogueDefaults("HystereticMaterial");
        values[12] = 0.5;
        values[13] = 0.25;
        const std::vector<double> built = responseOf(*t.host.registry.front());
        QVERIFY(sameResponse(built, catalogueResponse("HystereticMaterial", values)));
        QVERIFY(!sameResponse(built, catalogueResponse("HystereticMaterial",
                                                       catalogueDefaults("HystereticMaterial"))));
    }

    void addTwiceIsADuplicate() {
        DialogUnderTest t("Steel01");
        t.add();
        t.field("edt2")->setFocus();
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        QCOMPARE(seam->texts("warning"), QStringList{"Duplicate Material Name!"});
        QCOMPARE(t.dialog->focusWidget(), t.dialog->edt1);
        QCOMPARE(t.managerList.count(), 1);
        QCOMPARE(t.host.checkList.size(), 1);
    }

    void namesAreTrimmedAndCaseSensitive() {
        DialogUnderTest t("Steel01");
        t.dialog->edt1->setText(" \t S01  ");
        t.add();
        QCOMPARE(QString::fromStdString(t.host.registry.back()->name), QString("S01"));
        QCOMPARE(t.managerList.item(0)->text(), QString("S01"));
        QCOMPARE(t.host.checkList, QStringList{"S01"});
        t.dialog->edt1->setText("S01");
        t.add();
        QCOMPARE(seam->texts("warning"), QStringList{"Duplicate Material Name!"});
        t.dialog->edt1->setText("s01");
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(2));
        QCOMPARE(t.host.checkList, (QStringList{"S01", "s01"}));
        QCOMPARE(seam->texts("warning").size(), 1);
    }

    void emptyNameOnce() {
        DialogUnderTest t("Steel01");
        t.dialog->edt1->setText("");
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        QCOMPARE(t.host.checkList, QStringList{""});
        t.dialog->edt1->setText("   ");
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        QCOMPARE(seam->texts("warning"), QStringList{"Duplicate Material Name!"});
    }

    void editedNameDefinesAnIndependentMaterial() {
        DialogUnderTest t("Steel01");
        t.add();
        t.dialog->edt1->setText("S01b");
        t.field("edt2")->setText("350");
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(2));
        QVERIFY(t.host.registry[0].get() != t.host.registry[1].get());
        QCOMPARE(QString::fromStdString(t.host.registry[1]->name), QString("S01b"));
        ParameterValues values = catalogueDefaults("Steel01");
        const std::vector<double> first = responseOf(*t.host.registry[0]);
        QVERIFY(sameResponse(first, catalogueResponse("Steel01", values)));
        values[0] = 350.0;
        QVERIFY(
            sameResponse(responseOf(*t.host.registry[1]), catalogueResponse("Steel01", values)));
        QVERIFY(!sameResponse(first, responseOf(*t.host.registry[1])));
        QCOMPARE(t.managerList.count(), 2);
        QVERIFY(seam->shown.empty());
    }

    void conversionErrors_data() {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString notFloat = "'%1' is not a valid floating point value";
        QTest::newRow("letters") << "Steel01"
                                 << "edt3"
                                 << "abc" << notFloat.arg("abc");
        QTest::newRow("comma under dot") << "Steel01"
                                         << "edt3"
                                         << "1,5" << notFloat.arg("1,5");
        QTest::newRow("overflow") << "Steel01"
                                  << "edt3"
                                  << "1e400" << notFloat.arg("1e400");
        QTest::newRow("nan") << "Steel01"
                             << "edt3"
                             << "nan" << notFloat.arg("nan");
        QTest::newRow("inf") << "Steel01"
                             << "edt3"
                             << "inf" << notFloat.arg("inf");
        QTest::newRow("empty") << "Steel01"
                               << "edt3"
                               << "" << notFloat.arg("");
        QTest::newRow("blank") << "Steel01"
                               << "edt8"
                               << "  \t " << notFloat.arg("");
        QTest::newRow("trimmed in message") << "Steel01"
                                            << "edt2"
                                            << " 3x " << notFloat.arg("3x");
        QTest::newRow("Steel4 cycNum fraction") << "Steel4"
                                                << "edt26"
                                                << "50.5"
                                                << "''50.5'' is not a valid integer value";
        QTest::newRow("EPPGap damage fraction") << "EPPGapMaterial"
                                                << "edt4"
                                                << "0.5"
                                                << "''0.5'' is not a valid integer value";
        QTest::newRow("int overflow") << "EPPGapMaterial"
                                      << "edt4"
                                      << "2147483648"
                                      << "''2147483648'' is not a valid integer value";
        QTest::newRow("concrete") << "Concrete02"
                                  << "edt5"
                                  << "2e4.0" << notFloat.arg("2e4.0");
    }
    void conversionErrors() {
        QFETCH(QString, className);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        DialogUnderTest t(qPrintable(className));
        t.field(qPrintable(field))->setText(text);
        t.add();
        QCOMPARE(seam->texts("error"), QStringList{message});
        QVERIFY(seam->texts("warning").isEmpty());
        QVERIFY(t.host.registry.empty());
        QVERIFY(t.host.checkList.isEmpty());
        QCOMPARE(t.managerList.count(), 0);
        QVERIFY(t.dialog->isVisible());
        QCOMPARE(t.field(qPrintable(field))->text(), text);
    }

    void integerFieldsAcceptWholeNumbers() {
        DialogUnderTest t("EPPGapMaterial");
        t.field("edt4")->setText(" 1 ");
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        ParameterValues values = catalogueDefaults("EPPGapMaterial");
        values[4] = 1.0;
        QVERIFY(sameResponse(responseOf(*t.host.registry.front()),
                             catalogueResponse("EPPGapMaterial", values)));
    }

    void refusedParameterCreatesNothing() {
        DialogUnderTest t("Steel01");
        t.field("edt3")->setText("0");
        t.add();
        ParameterValues values = catalogueDefaults("Steel01");
        values[1] = 0.0;
        const std::string refusal = findModel("Steel01")->check(values);
        QVERIFY(!refusal.empty());
        QCOMPARE(seam->texts("warning"), QStringList{QString::fromStdString(refusal)});
        QVERIFY(seam->texts("error").isEmpty());
        QVERIFY(t.host.registry.empty());
        QCOMPARE(t.managerList.count(), 0);
    }

    void duplicateIsCheckedBeforeConversion() {
        DialogUnderTest t("Steel01");
        t.add();
        t.field("edt2")->setText("abc");
        t.add();
        QCOMPARE(seam->texts("warning"), QStringList{"Duplicate Material Name!"});
        QVERIFY(seam->texts("error").isEmpty());
    }

    void eppAndEppGapShareTheirDefaultName() {
        FakeRegistryHost host;
        QListWidget managerList;
        TForm15 epp(&host, &managerList);
        TForm16 gap(&host, &managerList);
        QCOMPARE(epp.objectName(), QString("TForm15"));
        QCOMPARE(gap.objectName(), QString("TForm16"));
        epp.btn1Click();
        gap.btn1Click();
        QCOMPARE(host.registry.size(), std::size_t(1));
        QCOMPARE(host.registry.front()->classTag, ElasticPPMaterial::classTagValue);
        QCOMPARE(seam->texts("warning"), QStringList{"Duplicate Material Name!"});
    }

    void closeHidesTheDialog() {
        QWidget owner;
        owner.setGeometry(60, 50, 600, 500); // inside the 800 × 600 offscreen screen
        owner.show();
        FakeRegistryHost host;
        TForm3 dialog(&host, nullptr, &owner);
        dialog.show();
        // Centred on its owner.
        QVERIFY((dialog.geometry().center() - owner.geometry().center()).manhattanLength() <= 4);
        QTest::mouseClick(dialog.btn2, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(host.registry.empty());
    }

    // Defaults are shown, and texts read, with the user's decimal separator.
    void decimalCommaLocale() {
        ScopedEnv comma("LC_ALL", "de_DE.UTF-8");
        if (systemDecimalSeparator() != ',') {
            QSKIP("no locale with a decimal comma installed");
        }
        DialogUnderTest t("Steel01");
        QCOMPARE(t.field("edt4")->text(), QString("0,01"));
        QCOMPARE(t.field("edt6")->text(), QString("55,0"));
        t.add();
        QCOMPARE(t.host.registry.size(), std::size_t(1));
        QVERIFY(sameResponse(responseOf(*t.host.registry.front()),
                             catalogueResponse("Steel01", catalogueDefaults("Steel01"))));
        t.dialog->edt1->setText("S01 dot");
        t.field("edt4")->setText("0.01");
        t.add();
        QCOMPARE(seam->texts("error"), QStringList{"'0.01' is not a valid floating point value"});
        QCOMPARE(t.host.registry.size(), std::size_t(1));
    }
};

LOOPLAB_UI_TEST(MaterialDialogsTest);

#include "test_MaterialDialogs.moc"
