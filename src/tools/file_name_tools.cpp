#include "tools/file_name_tools.h"

namespace lf {

void add_string_to_names() {}
void remove_string_from_names() {}
void rename_to_sequence_numbers() {}

} // namespace lf
