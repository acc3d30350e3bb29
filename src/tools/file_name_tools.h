#pragma once

namespace lf {

// The batch renaming commands of the main panel's Do menu.
void add_string_to_names();
void remove_string_from_names();
void rename_to_sequence_numbers();

} // namespace lf
