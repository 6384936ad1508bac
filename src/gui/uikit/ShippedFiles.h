#pragma once

#include <QString>
#include <QStringList>

namespace lh::gui {

// The files the program ships (the chime, the manual) are looked for beside the program first (a
// build tree or a portable copy), then in the installed data folder (<prefix>/share/linkhaven).
// `relative` is the same in both, e.g. "help/manual.html".
QStringList shippedFilePlaces(const QString& relative, const QString& programFolder,
                              const QString& dataFolder);
// The first of those places that holds a regular file, or an empty text.
QString findShippedFile(const QString& relative, const QString& programFolder,
                        const QString& dataFolder);

// The folder of the running program and the data folder it was built for.
QString programFolder();
QString installedDataFolder();

}  // namespace lh::gui
