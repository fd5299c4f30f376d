#pragma once

#include <charconv>
#include <string>
#include <string_view>

// A number with `decimals` digits after a point, whatever the player's
// locale: to_chars does not read it, where printf would.
inline std::string CsvFixed(double v, int decimals)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

// A CSV field as RFC 4180 writes it: quoted, with its quotes doubled, when it
// holds a comma, a quote or a line break; as it is otherwise. The history's
// export and the class table share it.
inline void AppendCsvField(std::string &out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}
