#include "ui/UserGuide.h"

#include "materials/Catalogue.h"
#include "ui/DialogTable.h"

#include <QCoreApplication>
#include <QStringList>

#include <string_view>

namespace looplab {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString esc(std::string_view s) {
    return text(s).toHtmlEscaped();
}

// A one-line summary of what each model represents. A model without a summary still gets its
// parameter table; the summary is only prose.
QString modelSummary(std::string_view className) {
    struct Summary {
        std::string_view className;
        const char* text;
    };
    static const Summary summaries[] = {
        {"Steel01",
         "Bilinear steel: elastic with modulus E up to the yield stress Fy, then hardening with "
         "slope b&middot;E between two bounding lines that move with the strain (kinematic "
         "hardening); a1 to a4 add optional isotropic hardening after each reversal."},
        {"Steel02",
         "Steel with a smooth bend from the elastic line to the hardening line of slope "
         "b&middot;E; the curvature exponent starts at R0 and falls with the plastic excursion "
         "through CR1 and CR2. a1 to a4 add optional isotropic hardening, sig0 an initial "
         "stress."},
        {"Steel4",
         "Steel with smooth transition curves and separate kinematic (b_k, R_0, r_1, r_2) and "
         "isotropic (b_i, rho_i, b_l, R_i, l_yp) hardening in tension and compression (the "
         "parameters ending in c), an ultimate strength f_u / f_uc, and a memory of earlier "
         "branches switched on by a non-zero cycNum."},
        {"SteelMPF",
         "Smooth-transition steel with separate yield strengths (fyp, fyn) and hardening ratios "
         "(bp, bn) in tension and compression; the curvature falls with the plastic excursion "
         "(R0, cR1, cR2); a1 to a4 add optional isotropic hardening."},
        {"RambergOsgoodSteel",
         "Steel whose branches follow a power law between strain and stress, measured from the "
         "last reversal point: the offset a at the yield stress fy and the exponent n shape the "
         "curve."},
        {"Concrete01",
         "Concrete without tensile strength: a parabola up to the strength fpc at strain epsc0, "
         "a straight line down to the crushing strength fpcu at strain epsU, constant beyond; "
         "straight unloading and reloading lines."},
        {"Concrete02",
         "Concrete with tensile strength ft and linear tension softening (slope Ets); the same "
         "compression backbone as Concrete01, with unloading and reloading lines steered by "
         "lambda, the ratio of unloading slope to initial slope."},
        {"Concrete04",
         "Concrete whose compression curve is set by its peak (fc, ec) and its initial "
         "stiffness Ec, with zero stress beyond the crushing strain ecu; an optional tension "
         "branch of strength fct with exponential softening set by et and beta."},
        {"Concrete06",
         "Concrete with plastic strains in compression and tension: a rational compression "
         "curve shaped by n (and n&middot;k after the peak), a linear tension branch up to fcr "
         "at ecr followed by tension stiffening with exponent b; alph1 and alph2 set the "
         "plastic strains."},
        {"Concrete07",
         "Concrete with tensile strength, cracking and crack closure: envelope curves in "
         "compression and tension (shape factor r) continued by straight lines beyond the strain "
         "ratios xn and xp, and detailed rules for partial unloading and reloading."},
        {"ConcreteD",
         "Damage-mechanics concrete: the stress is Ec times the strain measured from a plastic "
         "strain, reduced by a compressive and a tensile damage that grow with the strain "
         "(alphac, alphat); cesp and etap set the plastic strain."},
        {"ElasticPPMaterial",
         "Elastic&ndash;perfectly plastic: elastic with modulus E up to the tensile yield strain "
         "epsyP or the compressive yield strain epsyN, no stiffness beyond, elastic unloading; "
         "eps0 is an initial strain."},
        {"EPPGapMaterial",
         "Elastic&ndash;plastic gap: no stress until the strain has closed the gap, then elastic "
         "with modulus E up to Fy and hardening with slope eta&middot;E; it carries stress in "
         "one direction only (tension for Fy &ge; 0, compression for Fy &lt; 0). Plastic "
         "deformation widens the gap; with damage 0 a widened gap can close back, with any "
         "other value it cannot."},
        {"HystereticMaterial",
         "General hysteretic model: a trilinear envelope on each side, given by three "
         "(strain, stress) points (e1p/s1p &hellip; e3n/s3n), with pinching (pinchx, pinchy), "
         "damage (damage1, damage2) and unloading-stiffness degradation (beta)."},
    };
    for (const Summary& s : summaries) {
        if (s.className == className) {
            return QString::fromUtf8(s.text);
        }
    }
    return QString();
}

QString parameterMeaning(const DialogTable* table, std::string_view parameter) {
    if (table == nullptr) {
        return QString();
    }
    for (const DialogField& field : table->fields) {
        if (field.parameter == parameter) {
            QString label = text(field.label).trimmed();
            while (label.endsWith(':')) {
                label.chop(1);
                label = label.trimmed();
            }
            return label.toHtmlEscaped();
        }
    }
    return QString();
}

QString modelAnchor(std::string_view className) {
    return "model-" + text(className);
}

const char* const styleSheet = R"(
  :root { --ink: #1d2733; --muted: #5b6673; --line: #d5dbe2; --accent: #1f5fa8;
          --panel: #f4f6f9; }
  * { box-sizing: border-box; }
  body { margin: 0; color: var(--ink); background: #fff;
         font: 15px/1.55 "Segoe UI", "Noto Sans", "DejaVu Sans", Helvetica, Arial, sans-serif; }
  header { background: linear-gradient(#eaeaea, #fff); border-bottom: 1px solid var(--line);
           padding: 28px 0 18px; }
  header h1 { margin: 0; font-size: 30px; }
  header p { margin: 4px 0 0; color: var(--muted); }
  main, header > div { max-width: 960px; margin: 0 auto; padding: 0 24px; }
  nav { background: var(--panel); border: 1px solid var(--line); border-radius: 6px;
        padding: 10px 18px; margin: 22px 0; }
  nav ol { margin: 6px 0; padding-left: 22px; columns: 2; }
  h2 { margin-top: 38px; padding-bottom: 4px; border-bottom: 2px solid var(--line); }
  h3 { margin-top: 28px; }
  a { color: var(--accent); }
  code, kbd, pre { font-family: "DejaVu Sans Mono", Consolas, monospace; font-size: 13.5px; }
  code { background: var(--panel); padding: 1px 4px; border-radius: 3px; }
  pre { background: var(--panel); border: 1px solid var(--line); border-radius: 6px;
        padding: 10px 14px; overflow-x: auto; }
  table { border-collapse: collapse; margin: 10px 0 6px; }
  th, td { border: 1px solid var(--line); padding: 4px 10px; text-align: left;
           vertical-align: top; }
  th { background: var(--panel); }
  td.num { text-align: right; font-family: "DejaVu Sans Mono", Consolas, monospace; }
  .model { border-left: 4px solid var(--accent); padding-left: 14px; }
  .note { color: var(--muted); }
  footer { max-width: 960px; margin: 40px auto 30px; padding: 0 24px; color: var(--muted);
           font-size: 13px; }
)";

void appendIntroduction(QString& h) {
    h += R"(
<h2 id="about">What LoopLab is</h2>
<p>LoopLab is a desktop tool that shows how one-dimensional (uniaxial) material models of
steel and concrete answer an imposed deformation history. You define named materials from a
catalogue of fourteen models, import a strain history from a text file, and LoopLab drives
every checked material through the history step by step, from the state its reset gives it.
The stress&ndash;strain loops are drawn in a chart, can be replayed step by step in the
animation window, and can be saved as a comma-separated file. The same computation runs without
windows in the batch tool <code>looplab-batch</code>.</p>
<p>Strains, stresses and moduli are plain numbers in whatever consistent units you type in.
<strong>Compression is negative</strong>: compressive strains and stresses are negative numbers.
Nothing is saved between runs: the materials you define live until the program is closed.</p>
)";
}

void appendWorkflow(QString& h) {
    h += R"(
<h2 id="workflow">Working with LoopLab</h2>
<h3>1. Define materials</h3>
<p>Press <strong>Material Manager</strong> (<kbd>Ctrl+M</kbd>). Pick a <em>Material Class</em> and a
<em>Material Type</em> and press <strong>Add Material</strong>: the definition dialog of that
model opens with every parameter preset to its default. Give the material a name, change the
parameters and press <strong>Add</strong>. Names must be unique (exactly, case-sensitive, after
removing surrounding blanks); a repeated name is refused with
&ldquo;Duplicate Material Name!&rdquo;. A number that does not convert is reported as
&ldquo;'&hellip;' is not a valid floating point value&rdquo;; values that would make a model
divide by zero are refused with a message naming the parameter. Every material you add appears
in the main window's <strong>Tested Materials</strong> list. <strong>Clear All</strong> in the
manager removes every material and empties the loop chart.</p>

<h3>2. Import a deformation history</h3>
<p>Press <strong>Import Deformation History</strong> (also in the <em>File</em> menu, or
<kbd>Ctrl+O</kbd>), or drop one history file on the main window. A box
asks for the <em>First Line of Data</em>: lines above it are skipped, so a file may carry
header lines. Cancelling the box reads from line 1. Then choose the file. The history chart
shows the values against the step number, with a marker on the first step. The format is
described <a href="#history">below</a>.</p>
<p><strong>Generate Deformation History&hellip;</strong> (<em>File</em> menu) builds a history
without a file and installs it as an import would. A <em>cyclic protocol</em> runs through a
list of amplitudes (peak strains, separated by blanks or semicolons), each for the given number
of cycles, with the given number of steps from 0 to a peak; a cycle goes 0, +A, 0, &minus;A, 0,
or only to &minus;A (<em>compression only</em>) or only to +A (<em>tension only</em>). A
<em>monotonic ramp</em> goes from 0 to the target strain in equal steps. Every generated history
starts with strain 0. <em>Save As&hellip;</em> writes it as a history file (one number per
line, no header) that Import reads back to exactly the same values. Nothing is replaced until
you press OK.</p>

<h3>3. Check the materials to test</h3>
<p>Tick the materials in <strong>Tested Materials</strong>. The list's context menu offers
<em>Select All</em> (<kbd>Ctrl+A</kbd>) and <em>Invert Selection</em>.</p>

<h3>4. Plot Loops</h3>
<p><strong>Plot Loops</strong> (<kbd>F5</kbd>) resets every checked material, drives it through the whole
history and draws one stress&ndash;strain loop per material, in list order, each with a marker
at its first point. Unticking a loop in the chart's legend hides the loop and its marker. The
charts' context menus invert the axes (<em>Invert Left Axis</em>, <em>Invert Botttom Axis</em>,
<em>Invert Both Axis</em>) and <em>Reset Default</em> puts them back. Importing another history
does not change the loops on screen until you plot again.</p>

<p><strong>Read-out</strong>: rest the mouse near a loop and a tooltip shows the
material's name, the step number, the strain and the stress of the nearest point; on the
history chart it shows the step and the strain. Hidden loops are left out.</p>
<p><strong>Chart images</strong>: <em>Save Chart Image&hellip;</em> in either chart's context
menu (and in the <em>File</em> menu for the loop chart) saves the chart as it is shown now
&ndash; zoom, inverted axes, hidden loops and legend included &ndash; as a PNG picture of the
size you choose or as a PDF document with vector lines. The file name's extension picks the
format; without <code>.png</code> or <code>.pdf</code> the picture is saved as PNG.</p>
<p><strong>Copy Loops</strong> (<kbd>Ctrl+C</kbd>, also in the loop chart's context menu) puts
the same table as Save Loops on the clipboard with tabs between the columns, so that it pastes
into a spreadsheet as columns.</p>

<h3>5. Animate</h3>
<p><strong>Animate</strong> opens the animation window, which replays the last plot: at every
step the marker of each loop and the marker of the history move to that step.</p>
<ul>
<li><strong>Animate</strong> starts the replay and turns into <strong>Stop</strong>; after the
last step the replay starts again from the first, until you press Stop.</li>
<li><strong>Animation Speed</strong>: from <em>Slower</em> (100 ms per step) to
<em>Faster</em> (1 ms per step); the initial setting is 20 ms per step.</li>
<li><strong>Current Step</strong>: drag the bar from <em>First</em> to <em>Last</em> to go to a
step; the field at the top shows the step number, counted from 0.</li>
<li><strong>Close</strong> ends the replay. The step is kept: the next animation continues
from it, until the next plot starts again from the first step.</li>
</ul>

<h3>6. Save Loops</h3>
<p><strong>Save Loops</strong> (also in the <em>File</em> menu, or <kbd>Ctrl+S</kbd>) writes the loops of the last
plot, hidden loops included, to a CSV file (&ldquo;Loops.csv&rdquo; unless you choose another
name). The file always gets the extension <code>.csv</code>, whatever extension you type. The
program confirms with &ldquo;Export Done!&rdquo;. The format is described
<a href="#csv">below</a>.</p>
)";
}

void appendHistoryFormat(QString& h) {
    h += R"(
<h2 id="history">The history file</h2>
<p>A plain text file with one number per line: the total strain (or deformation) of each step,
in order.</p>
<ul>
<li><strong>First line of data</strong>: reading starts at the line number you give (1 for the
first line of the file); the lines above it are skipped unread, so a file may start with
header lines. A number that is not a whole number is refused with
&ldquo;''&hellip;'' is not a valid integer value&rdquo;, and 0 or less with
&ldquo;First Line must be greater than 0!&rdquo;; nothing changes in either case.</li>
<li><strong>Numbers</strong>: an optional sign, digits with the <strong>decimal separator of
your locale</strong> (a point or a comma), and an optional exponent such as
<code>e-3</code>. Blanks, tabs and other control characters around a number are ignored.
Thousands separators are not allowed.</li>
<li><strong>Encoding</strong>: a UTF-8 or UTF-16 byte-order mark at the start of the file is
recognised; otherwise the file is read as 8-bit text.</li>
<li><strong>Line ends</strong>: CR LF, LF or CR. A line break after the last line does not add
an empty line.</li>
<li><strong>End of the data</strong>: reading stops at the first line that is not a number
(an empty line included) and shows
&ldquo;'&hellip;' is not a valid floating point value&rdquo; with that line's text. The numbers above it form the history. A file that cannot
be opened is reported as &ldquo;Cannot open file &quot;&hellip;&quot;.&rdquo; with the
system's reason.</li>
<li>Each import replaces the previous history completely, even when it reads no number.</li>
</ul>
<p>Example, read from line 3:</p>
<pre>Cyclic test, specimen A
strain
0
0.001
0.002
-0.001
0</pre>
<p>The sample histories next to the program (<code>steel-cyclic.txt</code>,
<code>concrete-compression.txt</code>, <code>two-header-lines.txt</code>, the last one to be
read from line 3) are ready to try.</p>
)";
}

void appendCsvFormat(QString& h) {
    h += R"(
<h2 id="csv">The loop table (CSV)</h2>
<ul>
<li>First line, the header: <code>Disp.,</code> followed by each loop's material name and a
comma.</li>
<li>Then one line per step: the imposed strain and a comma, then each loop's stress and a
comma, loops in chart order. Every value is followed by a comma, so every line ends with
one.</li>
<li>Lines end with CR LF, the last one included; the text is 8-bit, without a byte-order
mark. Names are written as they are, without quotes.</li>
<li>Numbers have at most 15 significant digits, trailing zeros dropped, no decimal separator
for whole values, and your locale's decimal separator. Magnitudes below 0.00001 or with more
than 15 integer digits are written in scientific notation: <code>0.001</code>,
<code>301</code>, <code>1E-6</code>, <code>1.23456789012346E15</code>.</li>
<li>A stress that is not a finite number is written <code>NaN</code>, <code>Inf</code> or
<code>-Inf</code>.</li>
<li>With no loop plotted the file holds only the header <code>Disp.,</code>.</li>
</ul>
<p>Example with two materials S01 and C01 and three steps:</p>
<pre>Disp.,S01,C01,
0.001,200,-3.5,
0.002,300.5,-6.1,
0.003,301.5,-8.4,</pre>
)";
}

void appendBatchTool(QString& h) {
    h += R"(
<h2 id="batch">The batch tool</h2>
<p><code>looplab-batch</code> runs the same computation from the command line and writes the
same loop table.</p>
<pre>build/cli/looplab-batch --list
build/cli/looplab-batch --history FILE [--first-line N] \
    --material "TYPE NAME [P1 P2 ...]" [--material ...] [--output FILE] [--tangents]</pre>
<p><code>--list</code> prints every model with its parameters in constructor order and their
default texts, and marks models that are not built yet <code>(not available)</code>. A run
reads the history as the program's Import does (from line 1 unless <code>--first-line</code>
says otherwise), drives the materials in the order given, and writes the loop table exactly as
Save Loops does, to <code>--output</code> (that exact path) or to standard output. Omitted
trailing parameters take their defaults. <code>--tangents</code> adds a
<code>NAME tangent</code> column after each stress column.</p>
<p>Numbers are read and written with the decimal separator of the numeric locale
(<code>LC_ALL</code>, <code>LC_NUMERIC</code>, <code>LANG</code>; <code>LC_ALL=C</code> gives
'.').</p>
<table>
<tr><th>Exit status</th><th>Meaning</th></tr>
<tr><td class="num">0</td><td>done (a history line that stops the reading early is reported on
standard error and the values above it are used)</td></tr>
<tr><td class="num">1</td><td>a bad command line or material definition (unknown type, too
many parameters, a text that does not convert, a duplicate name, a refused parameter)</td></tr>
<tr><td class="num">2</td><td>a history file that cannot be opened or a bad first line</td></tr>
<tr><td class="num">3</td><td>an output file that cannot be written</td></tr>
</table>
<p>Example:</p>
<pre>looplab-batch --history steel-cyclic.txt \
    --material "Steel01 S01" --material "Steel02 S02 350 200000 0.02" --output loops.csv</pre>
)";
}

void appendModels(QString& h) {
    const std::vector<ModelEntry>& catalogue = modelCatalogue();
    h += "\n<h2 id=\"models\">The material models</h2>\n";
    h += "<p>The catalogue holds " + QString::number(catalogue.size()) +
         " models. Each table lists the parameters in the order the model takes them, with "
         "the default the definition dialog is preset to (the dialog shows it with your "
         "locale's decimal separator). <em>Integer</em> parameters take whole numbers "
         "only. Resting the mouse on a field of a definition dialog shows the same meaning "
         "and unit role as a tooltip.</p>\n"
         "<p>The unit role says what kind of quantity a parameter is: a <em>stress</em> and a "
         "<em>modulus</em> (stress per unit strain) are typed in your stress unit, a "
         "<em>strain</em> as a plain strain; a <em>ratio</em> relates two quantities of the "
         "model (a slope divided by the elastic modulus, a multiple of the yield strain); "
         "<em>dimensionless</em> marks exponents and shape factors; a <em>count</em> and a "
         "<em>switch</em> are whole numbers.</p>\n";
    h += "<table>\n<tr><th>Model</th><th>Parameters</th></tr>\n";
    for (const ModelEntry& model : catalogue) {
        h += "<tr><td><a href=\"#" + modelAnchor(model.className) + "\">" + esc(model.className) +
             "</a></td><td class=\"num\">" + QString::number(model.parameters.size()) +
             "</td></tr>\n";
    }
    h += "</table>\n";

    for (const ModelEntry& model : catalogue) {
        const DialogTable* table = dialogTableFor(model.className);
        h += "\n<section class=\"model\" id=\"" + modelAnchor(model.className) + "\">\n";
        h += "<h3>" + esc(model.className) + "</h3>\n";
        if (table != nullptr && !table->caption.empty()) {
            h += "<p class=\"note\">Definition dialog: &ldquo;" + esc(table->caption) + "&rdquo;";
            if (!table->defaultName.empty()) {
                h += ", default name &ldquo;" + esc(table->defaultName) + "&rdquo;";
            }
            h += ".</p>\n";
        }
        const QString summary = modelSummary(model.className);
        if (!summary.isEmpty()) {
            h += "<p>" + summary + "</p>\n";
        }
        if (!model.available()) {
            h += "<p class=\"note\">Not available in this build.</p>\n";
        }
        h += "<table>\n<tr><th>#</th><th>Parameter</th><th>Meaning</th><th>Unit role</th>"
             "<th>Type</th><th>Default</th></tr>\n";
        int number = 1;
        for (const ParameterSpec& parameter : model.parameters) {
            // The meaning and unit role are the catalogue's, the same text the definition
            // dialog shows as the field's tooltip; below it, the field's label.
            QString meaning = esc(parameter.description);
            const QString label = parameterMeaning(table, parameter.name);
            if (!label.isEmpty()) {
                meaning += "<br><span class=\"note\">&ldquo;" + label + "&rdquo;</span>";
            }
            h += "<tr><td class=\"num\">" + QString::number(number++) + "</td><td><code>" +
                 esc(parameter.name) + "</code></td><td>" + meaning + "</td><td>" +
                 esc(unitRoleName(parameter.unitRole)) + "</td><td>" +
                 (parameter.type == ParameterType::Int ? "integer" : "number") +
                 "</td><td class=\"num\">" + esc(parameter.defaultText) + "</td></tr>\n";
        }
        h += "</table>\n</section>\n";
    }
}

} // namespace

QString userGuideHtml() {
    QString h;
    h.reserve(96 * 1024);
    h += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<title>LoopLab &ndash; User guide</title>\n<style>";
    h += QString::fromUtf8(styleSheet);
    h += "</style>\n</head>\n<body>\n";
    h += "<header><div><h1>LoopLab</h1><p>" + QStringLiteral("滞回曲线实验室") +
         " &middot; User guide</p></div></header>\n<main>\n";
    h += R"(<nav><strong>Contents</strong><ol>
<li><a href="#about">What LoopLab is</a></li>
<li><a href="#workflow">Working with LoopLab</a></li>
<li><a href="#history">The history file</a></li>
<li><a href="#csv">The loop table (CSV)</a></li>
<li><a href="#batch">The batch tool</a></li>
<li><a href="#models">The material models</a></li>
</ol></nav>
)";
    appendIntroduction(h);
    appendWorkflow(h);
    appendHistoryFormat(h);
    appendCsvFormat(h);
    appendBatchTool(h);
    appendModels(h);
    h += "</main>\n<footer>This page is written by the program's build from its model "
         "catalogue.</footer>\n</body>\n</html>\n";
    return h;
}

QUrl userGuideUrl() {
    return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/" +
                               QString::fromLatin1(userGuideFileName));
}

} // namespace looplab
