#include "BitWriter.h"

namespace rov2::archive {

void BitWriter::spill()
{
    while (used_ >= 8) {
        used_ -= 8;
        out_.push_back(static_cast<std::uint8_t>(acc_ >> used_));
    }
}

void BitWriter::flushFinal()
{
    spill();
    if (used_ > 0) {
        out_.push_back(static_cast<std::uint8_t>(acc_ << (8 - used_)));
        used_ = 0;
    }
    acc_ = 0;
}

} // namespace rov2::archive
