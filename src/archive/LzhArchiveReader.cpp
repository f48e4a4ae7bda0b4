#include "LzhArchiveReader.h"

#include "Crc16.h"
#include "Lh5Decoder.h"
#include "RawHeaderName.h"

#include <algorithm>
#include <cstring>
#include <lhasa.h>
#include <memory>
#include <string>

namespace rov2::archive {

namespace {

// One pass over the archive: a liblhasa stream and reader, freed together.
class Pass
{
public:
    explicit Pass(ArchiveSource& source) : stream_(source.newStream())
    {
        if (stream_ != nullptr)
            reader_ = lha_reader_new(stream_);
        if (reader_ != nullptr)
            lha_reader_set_dir_policy(reader_, LHA_READER_DIR_PLAIN);
    }
    ~Pass()
    {
        if (reader_ != nullptr)
            lha_reader_free(reader_);
        if (stream_ != nullptr)
            lha_input_stream_free(stream_);
    }
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

    LHAReader* reader() const { return reader_; }

private:
    LHAInputStream* stream_ = nullptr;
    LHAReader* reader_ = nullptr;
};

LzhEntry entryOf(const LHAFileHeader& header, std::uint64_t offset)
{
    LzhEntry entry;
    entry.summary.name = header.filename != nullptr ? header.filename : "";
    entry.summary.method.assign(header.compress_method, strnlen(header.compress_method, 5));
    entry.summary.originalSize = header.length;
    entry.summary.packedSize = header.compressed_length;
    const RawHeaderName raw =
        RawHeaderName::of(std::span(header.raw_data, header.raw_data_len), header.header_level);
    entry.rawName = raw.name;
    entry.hasFolder = header.path != nullptr || raw.hasFolder;
    entry.folder = header.path != nullptr ? header.path : raw.folder;
    entry.isLink = header.symlink_target != nullptr;
    entry.isDirectory = !entry.isLink && entry.summary.method == LHA_COMPRESS_TYPE_DIR;
    entry.crc = header.crc;
    entry.modified = header.timestamp;
    entry.headerLevel = header.header_level;
    entry.offset = offset;
    entry.dataOffset = offset + header.raw_data_len;
    return entry;
}

bool decodable(const std::string& method)
{
    if (method == LHA_COMPRESS_TYPE_DIR)
        return true;
    char name[6] = {};
    method.copy(name, 5);
    return lha_decoder_for_name(name) != nullptr;
}

bool sameEntry(const LzhEntry& a, const LzhEntry& b)
{
    return a.summary.name == b.summary.name && a.summary.method == b.summary.method &&
           a.summary.originalSize == b.summary.originalSize && a.summary.packedSize == b.summary.packedSize &&
           a.crc == b.crc && a.offset == b.offset;
}

// liblhasa's decoder for the methods Lh5Decoder does not know.
void decodeLhasa(LHAReader* reader, const std::function<bool(std::span<const std::uint8_t>)>& take)
{
    std::vector<std::uint8_t> buffer(std::size_t{1} << 16);
    while (const std::size_t n = lha_reader_read(reader, buffer.data(), buffer.size()))
        if (!take(std::span(buffer.data(), n)))
            return;
}

const std::string kOwnMethod = "-lh5-";

std::string offsetText(std::uint64_t offset)
{
    return std::to_string(offset) + " バイト目";
}

} // namespace

ArchiveStatus LzhArchiveReader::open(const std::filesystem::path& archive)
{
    path_ = archive;
    entries_.clear();
    return source_.open(archive);
}

ArchiveStatus LzhArchiveReader::scan()
{
    entries_.clear();
    // liblhasa would look for a header anywhere in the first 64 KiB (for
    // self-extracting programs); an archive of ours starts with one.
    const auto dash1 = source_.byteAt(2), dash2 = source_.byteAt(6);
    if (source_.size() > 1 && (dash1 != '-' || dash2 != '-'))
        return ArchiveStatus::failure(path_.filename().string() + " は LZH 書庫ではありません");
    Pass pass(source_);
    if (pass.reader() == nullptr)
        return ArchiveStatus::failure("書庫を読む準備ができません");
    std::uint64_t offset = 0;
    while (const LHAFileHeader* header = lha_reader_next_file(pass.reader())) {
        LzhEntry entry = entryOf(*header, offset);
        offset += header->raw_data_len + header->compressed_length;
        if (offset > source_.size())
            return ArchiveStatus::failure("書庫が途中で切れています (" + entry.summary.name + ")");
        if (!decodable(entry.summary.method))
            return ArchiveStatus::failure(entry.summary.name + " の圧縮法 " + entry.summary.method +
                                          " には対応していません");
        entries_.push_back(std::move(entry));
    }
    return checkTail(offset);
}

// After the last member there may be the end mark (one zero byte) and
// nothing else; anything more is a header liblhasa could not read.
ArchiveStatus LzhArchiveReader::checkTail(std::uint64_t end) const
{
    const std::uint64_t rest = source_.size() - end;
    if (rest == 0 || (rest == 1 && source_.byteAt(end) == 0)) {
        if (!entries_.empty())
            return ArchiveStatus::success();
        return ArchiveStatus::failure(path_.filename().string() + " にはファイルがありません");
    }
    if (entries_.empty())
        return ArchiveStatus::failure(path_.filename().string() + " は LZH 書庫ではないか、壊れています");
    return ArchiveStatus::failure("書庫のヘッダが壊れています (" + offsetText(end) + ")");
}

ArchiveStatus LzhArchiveReader::decode(MemberSink& sink)
{
    Pass pass(source_);
    if (pass.reader() == nullptr)
        return ArchiveStatus::failure("書庫を読む準備ができません");
    std::uint64_t offset = 0;
    for (const LzhEntry& expected : entries_) {
        const LHAFileHeader* header = lha_reader_next_file(pass.reader());
        const LzhEntry entry = header != nullptr ? entryOf(*header, offset) : LzhEntry{};
        if (header == nullptr || !sameEntry(entry, expected))
            return ArchiveStatus::failure("読み込み中に書庫が変わりました");
        offset += header->raw_data_len + header->compressed_length;
        if (!sink.wants(entry))
            continue;
        if (ArchiveStatus status = decodeMember(pass.reader(), entry, sink); !status)
            return status;
    }
    return ArchiveStatus::success();
}

ArchiveStatus LzhArchiveReader::decodeMember(LHAReader* reader, const LzhEntry& entry, MemberSink& sink)
{
    if (ArchiveStatus status = sink.begin(entry); !status)
        return status;
    Crc16 crc;
    std::uint64_t total = 0;
    ArchiveStatus written = ArchiveStatus::success();
    const auto take = [&](std::span<const std::uint8_t> data) {
        total += data.size();
        crc.update(data);
        written = sink.write(data);
        return written.ok();
    };
    // Data that stops decoding counts as damaged, as a short read from
    // liblhasa does: the length or the CRC cannot match.
    if (entry.summary.method == kOwnMethod)
        (void)decodeLh5(entry, take);
    else
        decodeLhasa(reader, take);
    if (!written)
        return written;
    if (total != entry.summary.originalSize || crc.value() != entry.crc)
        return ArchiveStatus::failure(entry.summary.name + " のデータが壊れています (CRC エラー)");
    return sink.end(entry);
}

ArchiveStatus LzhArchiveReader::decodeLh5(const LzhEntry& entry,
                                          const std::function<bool(std::span<const std::uint8_t>)>& take)
{
    std::uint64_t at = entry.dataOffset;
    const std::uint64_t end = at + entry.summary.packedSize;
    Lh5Decoder decoder([&](std::span<std::uint8_t> buffer) {
        const std::size_t n =
            source_.readAt(at, buffer.first(std::min<std::uint64_t>(buffer.size(), end - at)));
        at += n;
        return n;
    });
    return decoder.decode(entry.summary.originalSize, [&](std::span<const std::uint8_t> data) {
        return take(data) ? ArchiveStatus::success() : ArchiveStatus::failure("書き込めません");
    });
}

} // namespace rov2::archive
