// Windows-1252 bytes and Unicode code points. Bytes 0x80-0x9F hold the page's
// own characters; the five it leaves undefined map to the C1 control of the
// same value, so that every byte survives a round trip. The rest of the page
// equals Latin-1.
#pragma once

namespace pw {

char32_t UnicodeOfAnsi(unsigned char byte);
// The 1252 byte of a code point; false when the page lacks the character.
bool AnsiOfUnicode(char32_t codePoint, unsigned char* byte);

}  // namespace pw
