#pragma once

#include <QString>

#include <functional>

namespace rov2::bench {

/// A sample data file of @p customers customers (about two family rows each),
/// made once in the temporary folder and reused by later runs.
QString sampleDataFile(qint64 customers);

/// A fresh supplied work file in the temporary folder.
QString freshWorkFile();

/// The best wall time of @p runs runs of @p f, in milliseconds; -1 as soon
/// as a run fails.
double bestOf(int runs, const std::function<bool()>& f);

} // namespace rov2::bench
