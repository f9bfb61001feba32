#include "text/text_fields.h"

namespace quelvar::text {

void addPrintingFields(Fields&) {}

}  // namespace quelvar::text
