// Text from the event's data on its way into an HTML page: the characters
// that mean something in HTML are escaped, and the model's code page 1252
// becomes UTF-8, the page's character set.
#pragma once

#include <string>

// "&", "<", ">" and the double quote as character references, then UTF-8.
std::string HtmlText(const std::string& s_cp1252);
// The same, with every line break (CR LF, LF or a lone CR) made "<br />".
std::string HtmlLines(const std::string& s_cp1252);
