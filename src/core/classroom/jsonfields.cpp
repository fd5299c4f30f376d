#include "core/classroom/jsonfields.h"

#include "core/classroom/canonicaljson.h"

using nlohmann::json;

namespace {

bool HasType(const json &value, JsonFields::Type type)
{
    switch (type) {
    case JsonFields::Type::String: return value.is_string();
    case JsonFields::Type::Integer: return value.is_number_integer();
    case JsonFields::Type::Boolean: return value.is_boolean();
    case JsonFields::Type::Array: return value.is_array();
    case JsonFields::Type::Object: return value.is_object();
    }
    return false;
}

const char *TypeName(JsonFields::Type type)
{
    switch (type) {
    case JsonFields::Type::String: return "string";
    case JsonFields::Type::Integer: return "integer";
    case JsonFields::Type::Boolean: return "boolean";
    case JsonFields::Type::Array: return "array";
    case JsonFields::Type::Object: return "object";
    }
    return "";
}

} // namespace

void JsonFields::Fail(ClassFileError error, std::string where, std::string detail, std::int64_t number)
{
    if (!problem)
        problem = {error, std::move(where), std::move(detail), number};
}

const json *JsonFields::Get(const json &object, const std::string &path, std::string_view key, Type type,
                            Presence presence)
{
    if (problem)
        return nullptr;
    const auto it = object.find(key);
    if (it == object.end()) {
        if (presence != Presence::Optional)
            Fail(ClassFileError::MissingKey, Path(path, key));
        return nullptr;
    }
    if (it->is_null() && presence != Presence::Required)
        return nullptr;
    if (!HasType(*it, type)) {
        Fail(ClassFileError::WrongType, Path(path, key), TypeName(type));
        return nullptr;
    }
    return &*it;
}

std::optional<std::string> JsonFields::String(const json &object, const std::string &path, std::string_view key)
{
    if (const json *v = Get(object, path, key, Type::String))
        return v->get<std::string>();
    return std::nullopt;
}

std::optional<bool> JsonFields::Boolean(const json &object, const std::string &path, std::string_view key)
{
    if (const json *v = Get(object, path, key, Type::Boolean))
        return v->get<bool>();
    return std::nullopt;
}

std::optional<std::int64_t> JsonFields::Integer(const json &object, const std::string &path, std::string_view key,
                                                std::int64_t low, std::int64_t high, Presence presence)
{
    const json *v = Get(object, path, key, Type::Integer, presence);
    if (!v)
        return std::nullopt;
    const std::int64_t value = v->get<std::int64_t>();
    if (value < low || value > high) {
        Fail(ClassFileError::BadValue, Path(path, key), std::to_string(value));
        return std::nullopt;
    }
    return value;
}

void JsonFields::Header(const json &root, std::string_view format, int version)
{
    if (!root.is_object())
        return Fail(ClassFileError::WrongFormat, {});
    const auto named = root.find("format");
    if (named == root.end() || !named->is_string() || *named != format)
        return Fail(ClassFileError::WrongFormat, {},
                    named != root.end() && named->is_string() ? named->get<std::string>() : std::string());
    const std::optional<std::int64_t> v = Integer(root, {}, "version", 1, MaxJsonInteger);
    if (v && *v > version)
        Fail(ClassFileError::NewerVersion, "version", std::to_string(version), *v);
}

std::string JsonFields::Excerpt(std::string_view text)
{
    if (text.size() <= 64)
        return std::string(text);
    std::size_t end = 64;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end)) + "...";
}

std::string JsonFields::Path(const std::string &path, std::string_view key)
{
    return path.empty() ? std::string(key) : path + "." + std::string(key);
}

std::string JsonFields::Path(const std::string &path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}
