#pragma once

#include <QString>

// The shape list the object dialog reads: beside the executable when it is
// there (the build tree, or a folder the program was copied into as a
// whole), else in the share folder of the prefix the executable was
// installed under, found from where it runs (a package unpacked anywhere),
// else where the build installs it. The last is returned even when missing:
// the dialog then offers its built-in list.
QString ShapeListPath();
