// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzsupport.h"

#include <QApplication>
#include <cstdlib>

GameFolder &fuzzFolder() {
    static int argc = 1;
    static char name[] = "mirutena-fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    static GameFolder folder;
    (void)app;
    return folder;
}
