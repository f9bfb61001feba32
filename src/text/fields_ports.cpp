#include "text/text_fields.h"

namespace quelvar::text {

void addPortFields(Fields&) {}

}  // namespace quelvar::text
