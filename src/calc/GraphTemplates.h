#pragma once

#include <string>

/// The graph templates compiled into the program: 189 for the power tables, 190 for the
/// sample-size tables of more than 10 powers, 200 for those of 10 powers or fewer. They hold
/// the same bytes as the files in the Templates folder beside the program.
///
/// The bytes of template id into bytes; false when there is no such template.
bool GraphTemplateResource(unsigned int id, std::string& bytes);
