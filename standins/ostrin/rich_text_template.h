// The stand-in's rich-text templates (PPPP.RLLL) and the lines it writes for
// them: a page's section found by its id, its value marks filled from the
// field data. Platform-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrin {

// The field data's values: the texts between bytes 3 (a last value without
// its byte 3 counts too); an empty text has none.
std::vector<std::string> SplitFieldValues(std::string_view field_data);

// The lines of the page whose section line is "[" + page id + "]" (the id
// compared without regard to case), comment lines left out; none when the
// template has no such page.
std::optional<std::vector<std::string>> FindTemplatePage(std::string_view template_text,
                                                         std::string_view page_id);

// The line with each "\v{n}" replaced by value n (from 1); a value the data
// does not hold is empty. Anything else stays as it is.
std::string FillTemplateLine(std::string_view line, const std::vector<std::string>& values);

}  // namespace ostrin
