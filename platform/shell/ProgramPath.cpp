// Program path from the process itself.
#include "platform/shell/ProgramPath.h"

#include "platform/text/Utf16.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace shell {

namespace {

std::u16string& pathOverride()
{
    static std::u16string path;
    return path;
}

} // namespace

std::u16string programPath()
{
    if (!pathOverride().empty())
        return pathOverride();
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::u16string() : text::fromUtf8(exe.string());
}

void setProgramPathForTesting(std::u16string_view path)
{
    pathOverride() = path;
}

std::u16string siblingPath(std::u16string_view path, std::u16string_view name)
{
    const auto cut = path.find_last_of(u"\\/");
    std::u16string result(path.substr(0, cut == std::u16string_view::npos ? std::min<std::size_t>(1, path.size()) : cut + 1));
    // The name's separators follow the program path's own.
    const char16_t separator = (cut != std::u16string_view::npos && path[cut] == u'/') ? u'/' : u'\\';
    for (char16_t c : name)
        result.push_back((c == u'\\' || c == u'/') ? separator : c);
    return result;
}

} // namespace shell
