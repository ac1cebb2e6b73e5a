// The author's contact address, set by whoever builds the program (TARVEX_CONTACT_ADDRESS in
// CMake). The details window's error message and the credits name it.
#pragma once

#include <QString>

QString ContactAddress();

// The address shown for the one the build set: a build that set none says so.
QString ShownContactAddress(const QString& configured);
