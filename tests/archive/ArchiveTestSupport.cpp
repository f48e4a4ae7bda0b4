#include "ArchiveTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <lhasa.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace rov2::archive::test {

ScratchFolder::ScratchFolder()
{
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("rov2-archive-" + std::to_string(::getpid()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

std::set<std::string> listing(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

Bytes randomBytes(std::size_t size, std::uint32_t seed)
{
    std::mt19937 generator(seed);
    Bytes data(size);
    for (auto& b : data)
        b = static_cast<std::uint8_t>(generator());
    return data;
}

Bytes lowEntropyBytes(std::size_t size, std::uint32_t seed)
{
    std::mt19937 generator(seed);
    Bytes data(size);
    for (auto& b : data)
        b = static_cast<std::uint8_t>('a' + generator() % 16);
    return data;
}

Bytes recordText(std::size_t size, std::uint32_t seed)
{
    static const char* const words[] = {
        "佐藤", "鈴木", "高橋",     "東京都", "大阪府", "中央区",     "本町", "丁目",
        "090-", "様",   "株式会社", "備考:",  "\n",     "1975/04/01", ", ",   "ヤマダ"};
    std::mt19937 generator(seed);
    std::string text;
    while (text.size() < size) {
        text += words[generator() % std::size(words)];
        text += std::to_string(generator() % 1000);
    }
    text.resize(size);
    return Bytes(text.begin(), text.end());
}

bool haveProgram(const std::string& program)
{
    return run("command -v " + shellQuote(program)) == 0;
}

int run(const std::string& command)
{
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shellQuote(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string createCommand(const std::string& folder, const std::string& file, const std::string& archive)
{
    return "a -+ -a1 -d0 -f0 -n0 -jm4 \"" + folder + archive + "\" \"" + folder + "\" \"" + folder + "\"\"" +
           file + "\"\"\"";
}

std::string extractCommand(const std::string& folder, const std::string& archive)
{
    return "x -+ -a2 -d1 -f0 -n1 -jyc0 -jyd0 -jyk0 -jyn0 -jyo0 \"" + folder + archive + "\" \"" + folder +
           "\" \"*.*\"";
}

namespace {

struct PackedSource
{
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

std::size_t readPacked(void* buf, std::size_t length, void* user)
{
    auto* source = static_cast<PackedSource*>(user);
    const std::size_t n = std::min(length, source->data.size() - source->position);
    std::memcpy(buf, source->data.data() + source->position, n);
    source->position += n;
    return n;
}

} // namespace

Bytes lhasaDecode(std::span<const std::uint8_t> packed, std::size_t originalSize, const char* method)
{
    PackedSource source{packed};
    char name[6] = {};
    std::strncpy(name, method, 5);
    LHADecoder* decoder = lha_decoder_new(lha_decoder_for_name(name), readPacked, &source, originalSize);
    Bytes out(originalSize);
    std::size_t got = 0;
    while (got < originalSize) {
        const std::size_t n = lha_decoder_read(decoder, out.data() + got, originalSize - got);
        if (n == 0)
            break;
        got += n;
    }
    lha_decoder_free(decoder);
    out.resize(got);
    return out;
}

} // namespace rov2::archive::test
