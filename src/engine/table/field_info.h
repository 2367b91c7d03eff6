// Descriptions of the fields of the table in the current work area, and
// where each field's value lies in the record image. Field numbers count
// from 1; a number outside the field table fails with 220.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

int FieldCount();
// The field's name, at most 10 characters; empty on failure.
std::string Field(int n);
// The number of the first field named `name` (its first 10 characters,
// blanks around it removed, any case); 0 when there is none.
int FieldNo(const std::string& name);
// C, D, F, L, M or N; a space on failure.
char FieldType(int n);
// The stored length; for D fields the length of a date text, which depends
// on the century switch (10 or 8).
int FieldLen(int n);
int FieldDec(int n);
// The field's slot in the record image; 0 gives the image's deleted flag.
// Null on failure.
unsigned char* FieldAddress(int n);

}  // namespace pw
