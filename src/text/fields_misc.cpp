#include "text/text_fields.h"

namespace quelvar::text {

void addMiscFields(Fields&) {}

}  // namespace quelvar::text
