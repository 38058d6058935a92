#pragma once
#include <string>

// A text value of a record, in the record's code page, as UTF-8: in that code page where
// it decodes; otherwise as UTF-8 where it is valid UTF-8, and as code page 932 where it
// is not, any byte that is no character there shown as U+FFFD.
std::string Utf8OfRecordText(int codePage, const std::string& bytes);
