// How a diagnostic line shows the text it names.
#pragma once

#include <string>
#include <string_view>

namespace records {

// A field's text as diagnostics show it, in double quotes: printable ASCII
// as it is, quotes and backslashes escaped, a tab as \t, a carriage return
// as \r, any other byte as \xNN.
std::string quoted(std::string_view text);

}  // namespace records
