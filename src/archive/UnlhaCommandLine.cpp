#include "UnlhaCommandLine.h"

#include <utility>

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

// Where a backslash is the system's own separator it can never be part of a
// name, and quote() leaves it as it is.
constexpr bool kBackslashSeparates = std::filesystem::path::preferred_separator == '\\';

bool needsEscape(char c)
{
    return c == '"' || c == UnlhaCommandLine::kEscape || (c == '\\' && !kBackslashSeparates);
}

bool isCommand(const std::string& s)
{
    return s.size() == 1 && std::string_view("axetlv").find(s[0]) != std::string_view::npos;
}

} // namespace

std::string UnlhaCommandLine::quote(const std::string& name)
{
    std::string out = "\"";
    for (const char c : name) {
        if (needsEscape(c))
            out += kEscape;
        out += c;
    }
    return out + '"';
}

ArchiveStatus UnlhaCommandLine::tokenize(const std::string& text, std::vector<Token>& tokens)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        Token token;
        token.quoted = text[i] == '"';
        if (token.quoted)
            ++i;
        bool closed = !token.quoted;
        while (i < text.size()) {
            const char c = text[i];
            if (c == kEscape && i + 1 < text.size()) {
                token.text += text[i + 1];
                i += 2;
            } else if (token.quoted && c == '"') {
                ++i;
                closed = true;
                break;
            } else if (!token.quoted && (c == '"' || isBlank(c))) {
                break;
            } else {
                token.text += c == '\\' ? '/' : c;
                ++i;
            }
        }
        if (!closed)
            return ArchiveStatus::failure("引用符 (\") が閉じていません");
        tokens.push_back(std::move(token));
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
    const std::string& name = token.text;
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
