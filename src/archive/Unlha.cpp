#include "Unlha.h"

#include "ArchiveExtractor.h"
#include "ArchiveReport.h"
#include "ArchiveTester.h"
#include "LzhArchiveReader.h"
#include "LzhArchiveWriter.h"
#include "UnlhaCommandLine.h"

#include <system_error>

namespace rov2 {

using namespace archive;

namespace {

int failed(ArchiveReport& report, const ArchiveStatus& status)
{
    report.line("エラー: " + status.message());
    return UnlhaFailed;
}

ArchiveStatus checkAddable(const UnlhaCommandLine& command)
{
    std::error_code error;
    if (command.files().empty())
        return ArchiveStatus::failure("格納するファイルが指定されていません");
    if (std::filesystem::exists(command.archive(), error))
        return ArchiveStatus::failure("書庫 " + command.archive().string() + " は既にあります");
    for (const UnlhaCommandLine::File& file : command.files())
        if (file.name.find_first_of("/*?") != std::string::npos)
            return ArchiveStatus::failure(file.name + ": フォルダ付きの名前やワイルドカードは格納できません");
    return ArchiveStatus::success();
}

int runAdd(const UnlhaCommandLine& command, ArchiveReport& report)
{
    if (ArchiveStatus status = checkAddable(command); !status)
        return failed(report, status);
    LzhArchiveWriter writer;
    if (ArchiveStatus status = writer.open(command.archive()); !status)
        return failed(report, status);
    std::vector<MemberSummary> added;
    for (const UnlhaCommandLine::File& file : command.files()) {
        const std::filesystem::path source =
            file.base.empty() ? std::filesystem::path(file.name) : file.base / file.name;
        if (ArchiveStatus status = writer.add(source, file.name, added.emplace_back()); !status)
            return failed(report, status);
    }
    if (ArchiveStatus status = writer.finish(); !status)
        return failed(report, status);
    for (const MemberSummary& member : added)
        report.member(member, true);
    report.line("書庫 " + command.archive().filename().string() + " (" +
                ArchiveReport::grouped(writer.size()) + " バイト) に " + std::to_string(added.size()) +
                " ファイルを格納しました");
    return UnlhaOk;
}

std::vector<WildcardPattern> patternsOf(const UnlhaCommandLine& command)
{
    std::vector<WildcardPattern> patterns;
    for (const UnlhaCommandLine::File& file : command.files())
        patterns.emplace_back(file.name);
    return patterns;
}

int runExtract(const UnlhaCommandLine& command, ArchiveReport& report)
{
    LzhArchiveReader reader;
    if (ArchiveStatus status = reader.open(command.archive()); !status)
        return failed(report, status);
    const std::filesystem::path folder = command.folder().empty() ? "." : command.folder();
    ArchiveExtractor extractor(folder, patternsOf(command));
    if (ArchiveStatus status = extractor.run(reader); !status)
        return failed(report, ArchiveStatus::failure(status.message() + "。何も展開していません"));
    for (const MemberSummary& member : extractor.extracted())
        report.member(member, false, "展開しました");
    report.line(std::to_string(extractor.extracted().size()) + " ファイルを展開しました");
    return UnlhaOk;
}

int runTest(const UnlhaCommandLine& command, ArchiveReport& report)
{
    LzhArchiveReader reader;
    ArchiveTester tester;
    ArchiveStatus status = reader.open(command.archive());
    if (status)
        status = tester.run(reader);
    if (!status)
        return failed(report, status);
    for (const MemberSummary& member : tester.tested())
        report.member(member, true, "正常");
    report.line("書庫 " + command.archive().filename().string() + " の " +
                std::to_string(tester.tested().size()) + " ファイルに異常はありません");
    return UnlhaOk;
}

int runList(const UnlhaCommandLine& command, ArchiveReport& report)
{
    LzhArchiveReader reader;
    ArchiveStatus status = reader.open(command.archive());
    if (status)
        status = reader.scan();
    if (!status)
        return failed(report, status);
    for (const LzhEntry& entry : reader.entries())
        report.member(entry.summary, true, entry.folder);
    report.line(std::to_string(reader.entries().size()) + " ファイル");
    return UnlhaOk;
}

} // namespace

int Unlha(const std::string& commandLine, std::string& report)
{
    ArchiveReport text;
    UnlhaCommandLine command;
    int result = UnlhaBadCommandLine;
    if (ArchiveStatus status = UnlhaCommandLine::parse(commandLine, command); !status)
        text.line("エラー: コマンド行を解釈できません: " + status.message());
    else if (command.command() == 'a')
        result = runAdd(command, text);
    else if (command.command() == 'x' || command.command() == 'e')
        result = runExtract(command, text);
    else if (command.command() == 't')
        result = runTest(command, text);
    else
        result = runList(command, text);
    report = text.text();
    return result;
}

int Unlha(void* /*owner*/, const std::string& commandLine, char* output, std::size_t outputSize)
{
    std::string report;
    const int result = Unlha(commandLine, report);
    ArchiveReport::copyTo(report, output, outputSize);
    return result;
}

} // namespace rov2
