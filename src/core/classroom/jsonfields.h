#pragma once

#include "core/classroom/fileproblem.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading the typed members of the classroom files' objects; the first
// problem met is kept, later ones are not looked for. For the readers of
// assignments and results only.
class JsonFields {
public:
    enum class Type { String, Integer, Boolean, Array, Object };
    // Required: there and of its type. Nullable: there, of its type or null.
    // Optional: of its type, null or absent.
    enum class Presence { Required, Nullable, Optional };

    ClassFileProblem problem;
    bool Ok() const { return !problem; }
    void Fail(ClassFileError error, std::string where, std::string detail = {}, std::int64_t number = 0);

    // The member when it is there and of its type; null (with no problem)
    // for a null or absent member where the presence allows it; otherwise
    // null and the problem recorded.
    const nlohmann::json *Get(const nlohmann::json &object, const std::string &path, std::string_view key, Type type,
                              Presence presence = Presence::Required);

    std::optional<std::string> String(const nlohmann::json &object, const std::string &path, std::string_view key);
    std::optional<bool> Boolean(const nlohmann::json &object, const std::string &path, std::string_view key);
    // An integer within [low, high]; outside it is a BadValue.
    std::optional<std::int64_t> Integer(const nlohmann::json &object, const std::string &path, std::string_view key,
                                        std::int64_t low, std::int64_t high, Presence presence = Presence::Required);

    // The file's kind and version: an object whose "format" is `format` and
    // whose "version" is 1..`version`; a later version is NewerVersion.
    void Header(const nlohmann::json &root, std::string_view format, int version);

    // Text quoted in a problem: at most 64 bytes, cut at a character's start,
    // "..." after a cut.
    static std::string Excerpt(std::string_view text);
    static std::string Path(const std::string &path, std::string_view key);
    static std::string Path(const std::string &path, std::size_t index);
};
