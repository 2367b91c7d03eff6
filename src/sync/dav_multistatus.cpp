#include "sync/dav_multistatus.h"

#include <QXmlStreamReader>

namespace pw {
namespace {

constexpr char kDav[] = "DAV:";
constexpr char kCalDav[] = "urn:ietf:params:xml:ns:caldav";
constexpr char kCalendarServer[] = "http://calendarserver.org/ns/";

struct Name {
  QString space;
  QString local;
  bool is(const char* ns, const char* name) const {
    return space == QLatin1String(ns) && local == QLatin1String(name);
  }
};

class MultistatusReader {
 public:
  explicit MultistatusReader(const QByteArray& xml) : xml_(xml) {}

  std::optional<DavMultistatus> Read() {
    while (!xml_.atEnd()) {
      switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
          Start();
          break;
        case QXmlStreamReader::Characters:
          text_ += xml_.text();
          break;
        case QXmlStreamReader::EndElement:
          End();
          break;
        default:
          break;
      }
    }
    if (xml_.hasError() || !sawRoot_) return std::nullopt;
    return std::move(result_);
  }

 private:
  const Name& Parent() const { return path_[path_.size() - 2]; }

  void Start() {
    const Name name{xml_.namespaceUri().toString(), xml_.name().toString()};
    if (path_.empty() && !name.is(kDav, "multistatus")) xml_.raiseError("not a multistatus answer");
    sawRoot_ = true;
    path_.push_back(name);
    text_.clear();
    if (name.is(kDav, "response")) {
      resource_ = DavResource{};
    } else if (name.is(kDav, "propstat")) {
      props_ = DavResource{};
      propStatus_ = 0;
    } else if (name.is(kCalDav, "calendar") && Parent().is(kDav, "resourcetype")) {
      props_.isCalendar = true;
    } else if (name.is(kCalDav, "comp") &&
               Parent().is(kCalDav, "supported-calendar-component-set")) {
      props_.components << xml_.attributes().value("name").toString().toUpper();
    }
  }

  void End() {
    const Name name = path_.back();
    const QString text = text_.trimmed();
    if (name.is(kDav, "href") && path_.size() >= 2) {
      const Name& parent = Parent();
      if (parent.is(kDav, "response")) resource_.href = text;
      if (parent.is(kDav, "current-user-principal")) props_.principalHref = text;
      if (parent.is(kCalDav, "calendar-home-set")) props_.homeSetHref = text;
    } else if (name.is(kDav, "status") && path_.size() >= 2) {
      if (Parent().is(kDav, "propstat")) propStatus_ = StatusOfLine(text);
      if (Parent().is(kDav, "response")) resource_.status = StatusOfLine(text);
    } else if (name.is(kDav, "getetag")) {
      props_.etag = text;
    } else if (name.is(kCalDav, "calendar-data")) {
      props_.calendarData = text_.toUtf8();
    } else if (name.is(kCalendarServer, "getctag")) {
      props_.ctag = text;
    } else if (name.is(kDav, "displayname")) {
      props_.displayName = text;
    } else if (name.is(kDav, "sync-token") && path_.size() == 2) {
      result_.syncToken = text;
    } else if (name.is(kDav, "propstat")) {
      if (propStatus_ >= 200 && propStatus_ < 300) MergeProps();
    } else if (name.is(kDav, "response")) {
      result_.resources.push_back(std::move(resource_));
    }
    path_.pop_back();
    text_.clear();
  }

  // A property that failed (404 in its own propstat) leaves what another
  // propstat of the response already said.
  void MergeProps() {
    auto take = [](auto& to, const auto& from) {
      if (!from.isEmpty()) to = from;
    };
    take(resource_.etag, props_.etag);
    take(resource_.calendarData, props_.calendarData);
    take(resource_.ctag, props_.ctag);
    take(resource_.displayName, props_.displayName);
    take(resource_.components, props_.components);
    take(resource_.principalHref, props_.principalHref);
    take(resource_.homeSetHref, props_.homeSetHref);
    resource_.isCalendar = resource_.isCalendar || props_.isCalendar;
  }

  QXmlStreamReader xml_;
  std::vector<Name> path_;
  QString text_;
  bool sawRoot_ = false;
  DavResource resource_;
  DavResource props_;
  int propStatus_ = 0;
  DavMultistatus result_;
};

}  // namespace

std::optional<DavMultistatus> ParseMultistatus(const QByteArray& xml) {
  return MultistatusReader(xml).Read();
}

int StatusOfLine(const QString& line) {
  const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
  return parts.size() >= 2 ? parts[1].toInt() : 0;
}

}  // namespace pw
