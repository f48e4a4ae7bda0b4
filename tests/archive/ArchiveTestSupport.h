#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace rov2::archive::test {

using Bytes = std::vector<std::uint8_t>;

/// A fresh folder under the system's temporary folder, removed with its
/// contents when the test ends.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// @return path() / @p name.
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

Bytes readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> data);
/// @return the names in @p folder, hidden ones included.
std::set<std::string> listing(const std::filesystem::path& folder);

/// @return @p size bytes from a fixed-seed generator.
Bytes randomBytes(std::size_t size, std::uint32_t seed = 1);
/// @return @p size bytes drawn from a small alphabet: they compress, but
/// mostly into literals (one code per byte).
Bytes lowEntropyBytes(std::size_t size, std::uint32_t seed = 2);
/// @return @p size bytes of Japanese customer-like text records.
Bytes recordText(std::size_t size, std::uint32_t seed = 3);

/// @return true when @p program is on the PATH.
bool haveProgram(const std::string& program);
/// Runs @p command through the shell, its output discarded.
/// @return the exit status.
int run(const std::string& command);
/// @return @p text in single quotes for the shell.
std::string shellQuote(const std::string& text);

/// @return the command line the backup builds: archive @p folder + @p archive
/// holding @p folder + @p file under the name @p file. @p folder ends in '/'.
std::string createCommand(const std::string& folder, const std::string& file, const std::string& archive);
/// @return the command line the restore builds: extract every member of
/// @p folder + @p archive into @p folder.
std::string extractCommand(const std::string& folder, const std::string& archive);

/// Decodes raw -lh5- data with liblhasa's own decoder.
/// @return the decoded bytes (at most @p originalSize).
Bytes lhasaDecode(std::span<const std::uint8_t> packed, std::size_t originalSize,
                  const char* method = "-lh5-");

} // namespace rov2::archive::test
