// Code pages of RTF text: the \'hh bytes of a document are in the code page
// its header (\ansicpg, \pc, \pca, \mac) or the current font's \fcharset names.
#pragma once

#include <QByteArray>
#include <QString>

namespace pw {

inline constexpr int kCodePageWindows1252 = 1252;

// Decodes `bytes` of a Windows or DOS code page (1250-1258, 437, 850, 866,
// 874, 932, 936, 949, 950, 10000 = Mac Roman). A byte the code page does not
// define becomes the character of the same value, as Windows does; an unknown
// code page reads as Windows-1252.
QString DecodeCodePage(const QByteArray& bytes, int codePage);

// The Windows-1252 byte for `ch`, or -1 when that code page has none.
int EncodeWindows1252(char16_t ch);

// The code page of a font's \fcharset; `documentCodePage` for the default
// charset and for charsets without a code page of their own.
int CodePageOfCharset(int charset, int documentCodePage);

}  // namespace pw
