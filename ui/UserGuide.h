#pragma once

#include <QString>
#include <QUrl>

namespace looplab {

// File name of the user guide, which the build writes next to the program.
inline constexpr const char* userGuideFileName = "LoopLab-Guide.html";

// The user guide as one self-contained HTML page. The model and parameter tables are generated
// from the catalogue (and the definition dialogs' labels), so the guide cannot drift from what
// the program offers.
QString userGuideHtml();

// The local file URL of the user guide next to the program; the status bar, "How to use?" and
// the About window all open this page.
QUrl userGuideUrl();

} // namespace looplab
