#include "text/text_fields.h"

namespace quelvar::text {

void addEventFields(Fields&) {}

}  // namespace quelvar::text
