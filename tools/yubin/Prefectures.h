#pragma once

#include <QString>

namespace rov2::yubin {

/// The name of a prefecture by its JIS X 0401 number (1 北海道 … 47 沖縄県);
/// empty for a number outside 1 to 47.
QString prefectureName(int number);

} // namespace rov2::yubin
