// Opens the links that a note's text shows. The desktop's handler by default;
// tests put a recorder in its place.
#pragma once

class QUrl;

namespace pw {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Hands `url` to whatever opens it; false when nothing would.
  virtual bool Open(const QUrl& url) = 0;
};

// The opener of the user's desktop (browser, mail program, file manager).
// A mailto: address is refused when the desktop names no mail program.
class DesktopUrlOpener : public UrlOpener {
 public:
  bool Open(const QUrl& url) override;
};

}  // namespace pw
