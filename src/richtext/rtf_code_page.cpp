#include "richtext/rtf_code_page.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <string>

namespace pw {
namespace {

std::string IconvName(int codePage) {
  switch (codePage) {
    case 437:
      return "IBM437";
    case 850:
      return "IBM850";
    case 866:
      return "IBM866";
    case 10000:
      return "MACINTOSH";
    case 65001:
      return "UTF-8";
    default:
      return "CP" + std::to_string(codePage);
  }
}

// Converts with iconv; a byte it rejects becomes the character of the same value.
bool DecodeWithIconv(const QByteArray& bytes, int codePage, QString* out) {
  iconv_t cd = iconv_open("UTF-16LE", IconvName(codePage).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  QByteArray input = bytes;
  char* in = input.data();
  size_t inLeft = static_cast<size_t>(input.size());
  std::array<char16_t, 256> buffer;
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(buffer.data());
    size_t outLeft = sizeof(buffer);
    size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out->append(QStringView(buffer.data(), (sizeof(buffer) - outLeft) / sizeof(char16_t)));
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL (a lead byte at the end): keep the byte and go on.
      out->append(QChar(static_cast<unsigned char>(*in)));
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return true;
}

struct Windows1252Table {
  std::array<char16_t, 256> toUnicode{};
  Windows1252Table() {
    for (int byte = 0; byte < 256; ++byte) {
      QString decoded;
      if (DecodeWithIconv(QByteArray(1, static_cast<char>(byte)), kCodePageWindows1252, &decoded) &&
          decoded.size() == 1) {
        toUnicode[byte] = decoded[0].unicode();
      }
    }
  }
};

const Windows1252Table& Table1252() {
  static const Windows1252Table table;
  return table;
}

}  // namespace

QString DecodeCodePage(const QByteArray& bytes, int codePage) {
  QString out;
  out.reserve(bytes.size());
  if (codePage != kCodePageWindows1252 && DecodeWithIconv(bytes, codePage, &out)) return out;
  out.clear();
  const auto& table = Table1252().toUnicode;
  for (char byte : bytes) {
    auto value = static_cast<unsigned char>(byte);
    out.append(QChar(table[value] != 0 || value == 0 ? table[value] : char16_t{value}));
  }
  return out;
}

int EncodeWindows1252(char16_t ch) {
  if (ch < 0x80) return ch;
  const auto& table = Table1252().toUnicode;
  for (int byte = 0x80; byte < 256; ++byte) {
    if (table[byte] == ch) return byte;
  }
  return -1;
}

int CodePageOfCharset(int charset, int documentCodePage) {
  switch (charset) {
    case 0:
      return 1252;
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 254:
      return 437;
    case 255:
      return 850;
    default:
      return documentCodePage;
  }
}

}  // namespace pw
