// Part of no target: the Qt-free check, run on this file alone, must report its include.
#include <QString>
