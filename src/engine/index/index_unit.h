// Registration of the index unit with the table engine: installs the hooks
// through which navigation follows the controlling tag and edits keep every
// tag's keys in step.
#pragma once

namespace pw {

void RegisterIndexUnit();

}  // namespace pw
