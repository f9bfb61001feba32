// Filled in by the area that owns these keys.
#include "text/setup_text.h"

#include <gtest/gtest.h>
