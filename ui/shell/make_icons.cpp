// Draws the program's icons for the hicolor theme at build time:
//   quorvex_make_icons OUTDIR SIZE...  ->  OUTDIR/hicolor/SIZExSIZE/apps/quorvex.png
#include "logo.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: quorvex_make_icons OUTDIR SIZE...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString(argv[i]).toInt();
        const QString dir = QString("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        if (size <= 0 || !QDir().mkpath(dir) ||
            !quorvex::ui::logoImage(size, size).save(dir + "/quorvex.png", "PNG")) {
            std::fprintf(stderr, "cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
