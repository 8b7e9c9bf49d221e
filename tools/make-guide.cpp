// make-guide: writes the user guide (generated from the model catalogue) to the file given as
// its only argument, as UTF-8. The build runs it so that the guide sits next to the program.

#include "ui/UserGuide.h"

#include <QByteArray>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-guide OUTPUT.html\n");
        return 1;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "make-guide: cannot write %s: %s\n", argv[1],
                     qPrintable(file.errorString()));
        return 1;
    }
    const QByteArray html = looplab::userGuideHtml().toUtf8();
    if (file.write(html) != html.size() || !file.commit()) {
        std::fprintf(stderr, "make-guide: cannot write %s: %s\n", argv[1],
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
