#include "import/mime_message.h"

#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <utility>
#include <vector>

namespace pw {

namespace {

using Headers = std::vector<std::pair<QByteArray, QByteArray>>;

QByteArray HeaderValue(const Headers& headers, const char* name) {
  for (const auto& [key, value] : headers) {
    if (qstricmp(key.constData(), name) == 0) return value;
  }
  return {};
}

// Splits `part` at its first empty line; false when there is none.
bool SplitPart(const QByteArray& part, Headers* headers, QByteArray* body) {
  QByteArray normal = part;
  normal.replace("\r\n", "\n");
  const qsizetype end = normal.startsWith('\n') ? 0 : normal.indexOf("\n\n");
  if (end < 0) return false;
  *body = normal.mid(end + (end == 0 ? 1 : 2));
  for (const QByteArray& line : normal.left(end).split('\n')) {
    if ((line.startsWith(' ') || line.startsWith('\t')) && !headers->empty()) {
      headers->back().second += ' ' + line.trimmed();
      continue;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) return false;
    headers->emplace_back(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
  }
  return true;
}

QString Decoded(const QByteArray& bytes, const QByteArray& charset) {
  QStringDecoder decoder(charset.isEmpty() ? "us-ascii" : charset.constData());
  if (!decoder.isValid()) return QString::fromUtf8(bytes);
  return decoder(bytes);
}

QByteArray QuotedPrintable(const QByteArray& text, bool underscoreIsSpace) {
  QByteArray out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '=' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;  // a soft line break
    } else if (c == '=' && i + 2 < text.size()) {
      bool ok = false;
      const int byte = text.mid(i + 1, 2).toInt(&ok, 16);
      out += ok ? char(byte) : c;
      if (ok) i += 2;
    } else {
      out += (underscoreIsSpace && c == '_') ? ' ' : c;
    }
  }
  return out;
}

// RFC 2047 encoded words: =?charset?B|Q?text?=
QString DecodedHeader(const QByteArray& value) {
  static const QRegularExpression word(QStringLiteral(R"(=\?([^?]+)\?([BbQq])\?([^?]*)\?=)"));
  const QString text = QString::fromLatin1(value);
  QString out;
  qsizetype last = 0;
  for (const QRegularExpressionMatch& match : word.globalMatch(text)) {
    const QString between = text.mid(last, match.capturedStart() - last);
    if (!between.trimmed().isEmpty() || last == 0) out += between;
    const QByteArray encoded = match.captured(3).toLatin1();
    const QByteArray bytes = match.captured(2).toUpper() == QLatin1String("B")
                                 ? QByteArray::fromBase64(encoded)
                                 : QuotedPrintable(encoded, true);
    out += Decoded(bytes, match.captured(1).toLatin1());
    last = match.capturedEnd();
  }
  return out + text.mid(last);
}

QByteArray Parameter(const QByteArray& contentType, const char* name) {
  const QRegularExpression parameter(
      QStringLiteral(R"re(;\s*%1\s*=\s*"?([^";]+)"?)re").arg(QLatin1String(name)),
      QRegularExpression::CaseInsensitiveOption);
  return parameter.match(QString::fromLatin1(contentType)).captured(1).toLatin1();
}

bool ReadBody(const Headers& headers, const QByteArray& body, MimeText* result, int depth) {
  const QByteArray contentType = HeaderValue(headers, "Content-Type");
  const QByteArray type = contentType.split(';').front().trimmed().toLower();
  if (type.startsWith("multipart/")) {
    const QByteArray boundary = Parameter(contentType, "boundary");
    if (boundary.isEmpty() || depth > 2) return false;
    bool found = false;
    const QList<QByteArray> parts = body.split('\n');
    QByteArray part;
    int index = 0;
    for (const QByteArray& line : parts) {
      if (line.trimmed() == "--" + boundary || line.trimmed() == "--" + boundary + "--") {
        if (index > 0 && !part.isEmpty()) {
          Headers partHeaders;
          QByteArray partBody;
          if (!SplitPart(part, &partHeaders, &partBody)) return false;
          if (found) {
            result->hasAttachments = true;
          } else {
            found = ReadBody(partHeaders, partBody, result, depth + 1);
            if (!found) result->hasAttachments = true;
          }
        }
        part.clear();
        ++index;
      } else if (index > 0) {
        part += line + '\n';
      }
    }
    return found;
  }
  if (!type.isEmpty() && !type.startsWith("text/")) return false;
  const QByteArray encoding = HeaderValue(headers, "Content-Transfer-Encoding").toLower();
  QByteArray bytes = body;
  if (encoding == "base64") {
    const auto decoded = QByteArray::fromBase64Encoding(
        QByteArray(body).replace('\n', QByteArray()), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) return false;
    bytes = *decoded;
  } else if (encoding == "quoted-printable") {
    bytes = QuotedPrintable(body, false);
  }
  result->html = type == "text/html";
  result->text = Decoded(bytes, Parameter(contentType, "charset"));
  if (result->text.endsWith(QLatin1Char('\n'))) result->text.chop(1);
  return true;
}

}  // namespace

MimeText ParseMimeMessage(const QByteArray& message) {
  MimeText result;
  Headers headers;
  QByteArray body;
  if (!SplitPart(message, &headers, &body)) return result;
  result.subject = DecodedHeader(HeaderValue(headers, "Subject"));
  result.messageId = QString::fromLatin1(HeaderValue(headers, "Message-ID"));
  result.ok = ReadBody(headers, body, &result, 0);
  return result;
}

}  // namespace pw
