#include "UnlhaCommandLine.h"

#include <algorithm>

namespace rov2::archive {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool endsWithSeparator(const std::string& s)
{
    return !s.empty() && s.back() == '/';
}

std::string normalised(std::string s)
{
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

bool isCommand(const std::string& s)
{
    return s.size() == 1 && std::string_view("axetlv").find(s[0]) != std::string_view::npos;
}

} // namespace

ArchiveStatus UnlhaCommandLine::tokenize(const std::string& text, std::vector<Token>& tokens)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
        } else if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string::npos)
                return ArchiveStatus::failure("引用符 (\") が閉じていません");
            tokens.push_back({text.substr(i + 1, close - i - 1), true});
            i = close + 1;
        } else {
            std::size_t stop = i;
            while (stop < text.size() && !isBlank(text[stop]) && text[stop] != '"')
                ++stop;
            tokens.push_back({text.substr(i, stop - i), false});
            i = stop;
        }
    }
    return ArchiveStatus::success();
}

ArchiveStatus UnlhaCommandLine::parse(const std::string& text, UnlhaCommandLine& parsed)
{
    parsed = UnlhaCommandLine();
    std::vector<Token> tokens;
    if (ArchiveStatus status = tokenize(text, tokens); !status)
        return status;
    if (tokens.empty() || tokens[0].quoted || !isCommand(tokens[0].text))
        return ArchiveStatus::failure("コマンド (a, x, e, t, l) がありません");
    parsed.command_ = tokens[0].text[0];
    for (std::size_t i = 1; i < tokens.size(); ++i)
        if (ArchiveStatus status = parsed.take(tokens[i]); !status)
            return status;
    if (parsed.archive_.empty())
        return ArchiveStatus::failure("書庫の名前がありません");
    return ArchiveStatus::success();
}

ArchiveStatus UnlhaCommandLine::take(const Token& token)
{
    if (!token.quoted && token.text.size() > 1 && token.text[0] == '-') {
        switches_.push_back(token.text);
        return ArchiveStatus::success();
    }
    const std::string name = normalised(token.text);
    if (name.empty())
        return ArchiveStatus::success();
    if (archive_.empty()) {
        if (endsWithSeparator(name))
            return ArchiveStatus::failure("書庫の名前がフォルダになっています: " + token.text);
        archive_ = name;
    } else if (endsWithSeparator(name)) {
        folder_ = name;
    } else {
        files_.push_back({name, folder_});
    }
    return ArchiveStatus::success();
}

} // namespace rov2::archive
