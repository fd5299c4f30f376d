#include "core/classroom/resultname.h"

#include "core/classroom/canonicaljson.h"
#include "core/classroom/result.h"

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string Folded(std::string_view name)
{
    std::string folded;
    for (char c : TrimmedName(name)) {
        if (IsSpace(c)) {
            if (!folded.empty() && folded.back() != ' ')
                folded += ' ';
        } else
            folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded;
}

std::string SafePart(std::string_view text)
{
    text = TrimmedName(text);
    constexpr std::string_view Unsafe = "/\\:*?\"<>|";
    std::string part;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8CharLength(text, i);
        const bool unsafe = length == 0 || c < 0x20 || c == 0x7F || Unsafe.find(text[i]) != std::string_view::npos;
        const std::string_view piece = unsafe ? std::string_view("_") : text.substr(i, length);
        if (part.size() + piece.size() > MaxNamePartBytes)
            break;
        part += piece;
        i += unsafe ? 1 : length;
    }
    for (std::size_t i = 0; i < part.size() && part[i] == '.'; ++i)
        part[i] = '_';
    for (std::size_t i = part.size(); i > 0 && (part[i - 1] == '.' || part[i - 1] == ' '); --i)
        part[i - 1] = '_';
    return part.empty() ? "_" : part;
}

} // namespace

std::string_view TrimmedName(std::string_view name)
{
    while (!name.empty() && IsSpace(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && IsSpace(name.back()))
        name.remove_suffix(1);
    return name;
}

bool SameStudent(std::string_view a, std::string_view b)
{
    const std::string folded = Folded(a);
    return !folded.empty() && folded == Folded(b);
}

std::string ResultFileName(std::string_view title, std::string_view student)
{
    return SafePart(title) + " - " + SafePart(student) + std::string(ResultExtension);
}

std::string FreeResultFileName(std::string_view title, std::string_view student,
                               const std::function<bool(const std::string &name)> &takenByOther)
{
    const std::string stem = SafePart(title) + " - " + SafePart(student);
    std::string name = stem + std::string(ResultExtension);
    for (int n = 2; takenByOther(name); ++n) {
        if (n > 999)
            return {};
        name = stem + " (" + std::to_string(n) + ")" + std::string(ResultExtension);
    }
    return name;
}
