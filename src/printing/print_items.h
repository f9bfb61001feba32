#pragma once
// The print item vocabularies: the page item table (what a page format entry
// prints, by the names typed into the page items grid) and the label item table
// (the same codes under short names, typed between braces inside a print label).
//
// Both are name tables whose none entry is named "0"; their last entry has an
// empty name and code 255, the unprogrammed item.

#include "script/name_table.h"

namespace quelvar {

const NameTable& pageItemTable();   // 67 entries
const NameTable& labelItemTable();  // 66 entries: the page items without "Spacehold"

}  // namespace quelvar
