#pragma once

#include <QStringList>

class QMimeData;

namespace velantro {

// Whether a drag brings anything a picture takes: file names.
bool BringsFiles(const QMimeData* data);

// The local file names a drop brings, in the order given; empty when it
// brings none.
QStringList DroppedFiles(const QMimeData* data);

} // namespace velantro
