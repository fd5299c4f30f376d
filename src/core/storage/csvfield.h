#pragma once

#include <string>
#include <string_view>

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
