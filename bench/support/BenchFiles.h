#pragma once

#include <QString>

namespace rov2::bench {

/// A sample data file of @p customers customers (about two family rows each),
/// made once in the temporary folder and reused by later runs.
QString sampleDataFile(qint64 customers);

/// A fresh supplied work file in the temporary folder.
QString freshWorkFile();

} // namespace rov2::bench
