#pragma once

#include <string>

namespace lptseg {

// Windows system messages fetched without their arguments keep placeholders
// such as "%1" where the loader would name a file. Puts `file` in place of %1,
// drops every other %<number> and leaves any other '%' alone.
std::string FillInserts(const std::string& text, const std::string& file);

} // namespace lptseg
