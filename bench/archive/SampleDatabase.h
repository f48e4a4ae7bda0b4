#pragma once

#include <filesystem>
#include <string>

namespace rov2::bench {

/// Builds a customer database that looks like the real ones to a compressor:
/// SQLite pages of Japanese UTF-8 records (names, readings, addresses, phone
/// numbers, dates, remarks), numbers, indexes, and some free space left by
/// deleted rows. The same arguments always give the same bytes.
class SampleDatabase
{
public:
    /// @param file written anew.
    /// @param customers number of customers; each gets two family rows.
    /// @param error the reason when it fails.
    /// @return true on success.
    static bool build(const std::filesystem::path& file, int customers, std::string& error);
};

} // namespace rov2::bench
