#pragma once

#include <QString>

// Major version of the colprof at the given path, read once per path from the usage header it
// prints when run without arguments; 0 when it cannot be told. Callable from several threads.
int VersionColprof(const QString& colprof);
