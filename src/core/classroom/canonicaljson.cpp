#include "core/classroom/canonicaljson.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cmath>
#include <vector>

using nlohmann::json;

namespace {

// Builds the value from the parser's events, refusing what strict reading
// refuses. The parser itself keeps its nesting on a heap stack, so deep input
// cannot exhaust the call stack before the depth limit stops it.
class StrictBuilder : public nlohmann::json_sax<json> {
public:
    json root;
    ClassFileProblem problem;

    bool null() override { return Put(nullptr); }
    bool boolean(bool value) override { return Put(value); }
    bool number_integer(number_integer_t value) override
    {
        if (value < -MaxJsonInteger || value > MaxJsonInteger)
            return Refuse(ClassFileError::NotAnInteger, Here(), std::to_string(value));
        return Put(value);
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        if (value > static_cast<number_unsigned_t>(MaxJsonInteger))
            return Refuse(ClassFileError::NotAnInteger, Here(), std::to_string(value));
        return Put(static_cast<std::int64_t>(value));
    }
    bool number_float(number_float_t, const string_t &text) override
    {
        return Refuse(ClassFileError::NotAnInteger, Here(), text);
    }
    bool string(string_t &value) override { return Put(std::move(value)); }
    bool binary(binary_t &) override { return Refuse(ClassFileError::NotJson, Here(), "binary"); }
    bool start_object(std::size_t) override { return Open(json::object()); }
    bool key(string_t &name) override
    {
        if (m_open.back()->contains(name))
            return Refuse(ClassFileError::DuplicateKey, Member(name), {});
        m_key = std::move(name);
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(json::array()); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t position, const std::string &, const nlohmann::detail::exception &ex) override
    {
        if (!problem) {
            problem = {ClassFileError::NotJson, Here(), ex.what(), static_cast<std::int64_t>(position)};
            // The parser counts the byte it stopped at from 1.
            if (problem.number > 0)
                --problem.number;
        }
        return false;
    }

private:
    std::string Member(const std::string &name) const
    {
        return m_path.back().empty() ? name : m_path.back() + "." + name;
    }
    // The path of the value about to be added.
    std::string Here() const
    {
        if (m_open.empty())
            return {};
        if (m_open.back()->is_array())
            return m_path.back() + "[" + std::to_string(m_open.back()->size()) + "]";
        return Member(m_key);
    }
    bool Refuse(ClassFileError error, std::string where, std::string detail)
    {
        problem = {error, std::move(where), std::move(detail), 0};
        return false;
    }
    json *Add(json value)
    {
        if (m_open.empty()) {
            root = std::move(value);
            return &root;
        }
        json &parent = *m_open.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        return &(parent[m_key] = std::move(value));
    }
    bool Put(json value)
    {
        Add(std::move(value));
        return true;
    }
    bool Open(json container)
    {
        if (static_cast<int>(m_open.size()) >= MaxJsonDepth) {
            problem = {ClassFileError::TooDeep, Here(), {}, MaxJsonDepth};
            return false;
        }
        std::string path = Here();
        // Pointers to the open containers stay valid: a container only grows
        // while it is the innermost one open.
        m_open.push_back(Add(std::move(container)));
        m_path.push_back(std::move(path));
        return true;
    }
    bool Close()
    {
        m_open.pop_back();
        m_path.pop_back();
        return true;
    }

    std::vector<json *> m_open;
    std::vector<std::string> m_path;
    std::string m_key;
};

} // namespace

std::size_t Utf8CharLength(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char c = byte(at);
    if (c < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF)
        length = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = c == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;  // nothing past U+10FFFF
    } else
        return 0;
    if (text.size() - at < length || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    return length;
}

namespace {

void AppendString(std::string &out, std::string_view text)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8CharLength(text, i);
            if (length == 0) {
                out += "\xEF\xBF\xBD";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        ++i;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += Hex[c >> 4];
                out += Hex[c & 0xF];
            } else
                out += static_cast<char>(c);
        }
    }
    out += '"';
}

void AppendValue(std::string &out, const json &value)
{
    switch (value.type()) {
    case json::value_t::boolean:
        out += value.get<bool>() ? "true" : "false";
        return;
    case json::value_t::number_integer:
        out += std::to_string(std::clamp(value.get<std::int64_t>(), -MaxJsonInteger, MaxJsonInteger));
        return;
    case json::value_t::number_unsigned:
        out += std::to_string(std::min(value.get<std::uint64_t>(), static_cast<std::uint64_t>(MaxJsonInteger)));
        return;
    case json::value_t::number_float: {
        const double v = value.get<double>();
        const double limit = static_cast<double>(MaxJsonInteger);
        out += std::to_string(std::isnan(v) ? 0 : static_cast<std::int64_t>(std::round(std::clamp(v, -limit, limit))));
        return;
    }
    case json::value_t::string:
        AppendString(out, value.get_ref<const std::string &>());
        return;
    case json::value_t::array: {
        out += '[';
        bool first = true;
        for (const json &item : value) {
            if (!first)
                out += ',';
            first = false;
            AppendValue(out, item);
        }
        out += ']';
        return;
    }
    case json::value_t::object: {
        out += '{';
        bool first = true;
        for (const auto &[key, item] : value.items()) {
            if (!first)
                out += ',';
            first = false;
            AppendString(out, key);
            out += ':';
            AppendValue(out, item);
        }
        out += '}';
        return;
    }
    default:
        out += "null";
    }
}

} // namespace

std::size_t FirstInvalidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8CharLength(bytes, i);
        if (length == 0)
            return i;
        i += length;
    }
    return std::string_view::npos;
}

StrictJson ParseStrictJson(std::string_view bytes)
{
    StrictJson result;
    if (bytes.size() > MaxClassFileBytes) {
        result.problem = {ClassFileError::TooLarge, {}, {}, static_cast<std::int64_t>(MaxClassFileBytes)};
        return result;
    }
    if (const std::size_t bad = FirstInvalidUtf8(bytes); bad != std::string_view::npos) {
        result.problem = {ClassFileError::NotUtf8, {}, {}, static_cast<std::int64_t>(bad)};
        return result;
    }
    StrictBuilder builder;
    bool ok = false;
    try {
        ok = json::sax_parse(bytes.begin(), bytes.end(), &builder);
    } catch (const std::exception &e) {
        builder.problem = {ClassFileError::NotJson, {}, e.what(), 0};
    }
    if (!ok && !builder.problem)
        builder.problem = {ClassFileError::NotJson, {}, "stopped", 0};
    result.problem = std::move(builder.problem);
    if (!result.problem)
        result.value = std::move(builder.root);
    return result;
}

std::string CanonicalJson(const json &value)
{
    std::string out;
    AppendValue(out, value);
    return out;
}

std::string Sha256Hex(std::string_view bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1)
        return {};
    static constexpr char Hex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += Hex[digest[i] >> 4];
        hex += Hex[digest[i] & 0xF];
    }
    return hex;
}
