#pragma once

#include <QString>

namespace velantro {

// The characters that end a folder in a path: "\" and "/" on Windows, "/"
// elsewhere.
QString PathSeparators();

// The last three characters are "ibg", case-sensitive; no dot is needed.
bool HasIbgEnding(const QString& path);

// The argument string with a leading double quote and the last character
// dropped; otherwise unchanged.
QString CommandLinePath(const QString& argument);

struct GraphPathSplit {
    bool Found = false;
    QString Folder; // with its trailing separator
    QString Name;   // without the last four characters of the path
};

// The walk starts four characters before the end, so the last four are
// never part of the name and a separator among them is never found.
GraphPathSplit SplitGraphPath(const QString& path, const QString& separators);

} // namespace velantro
