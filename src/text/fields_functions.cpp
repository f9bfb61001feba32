#include "text/text_fields.h"

namespace quelvar::text {

void addFunctionFields(Fields&) {}

}  // namespace quelvar::text
