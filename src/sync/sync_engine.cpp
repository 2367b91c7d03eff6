#include "sync/sync_engine.h"

#include <map>
#include <optional>
#include <set>

#include "sync/caldav_discovery.h"
#include "sync/dav_multistatus.h"
#include "sync/ical_note.h"
#include "sync/sync_state.h"

namespace pw {
namespace {

constexpr int kFetchBatch = 200;

QByteArray Xml(const QString& text) {
  return text.toHtmlEscaped().toUtf8();
}

QByteArray SyncCollectionBody(const QString& token) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:sync-collection "
         "xmlns:d=\"DAV:\"><d:sync-token>" +
         Xml(token) +
         "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></"
         "d:sync-collection>";
}

const QByteArray kEtagsAndCtag =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\" "
    "xmlns:cs=\"http://calendarserver.org/ns/\"><d:prop><d:getetag/><cs:getctag/></d:prop></"
    "d:propfind>";

QByteArray MultigetBody(const std::vector<QString>& hrefs) {
  QByteArray body =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><c:calendar-multiget xmlns:d=\"DAV:\" "
      "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:getetag/><c:calendar-data/></d:prop>";
  for (const QString& href : hrefs) body += "<d:href>" + Xml(href) + "</d:href>";
  return body + "</c:calendar-multiget>";
}

// How servers without RFC 6578 answer a sync-collection REPORT.
bool Unsupported(int status) {
  return status == 400 || status == 403 || status == 405 || status == 415 || status == 501;
}

struct Fetched {
  QString href;
  QString etag;
  ParsedICalendar parsed;
};

}  // namespace

// The work of one Run: the state, what the server listed and sent, and
// the counts for the result.
class SyncEngine::Pass {
 public:
  Pass(DavClient& client, NoteStore& store, const QUrl& collection)
      : client_(client), store_(store), collection_(collection) {}

  SyncState state;
  SyncResult result;

  // False with result.message set when the server could not be read.
  bool ReadServer() {
    if (!ListChanges()) return false;
    std::vector<QString> batch;
    for (const auto& [href, etag] : changed_) {
      batch.push_back(href);
      if (batch.size() == kFetchBatch && !Fetch(batch)) return false;
      if (batch.size() == kFetchBatch) batch.clear();
    }
    return batch.empty() || Fetch(batch);
  }

  void ApplyServer() {
    std::map<QString, SyncNote> local;
    for (SyncNote& note : store_.Notes()) local[note.uid] = std::move(note);
    for (Fetched& object : fetched_) {
      if (object.parsed.kind == ICalendarKind::kNoNote) {
        state.ignored[object.href] = object.etag;
        continue;
      }
      if (object.parsed.kind == ICalendarKind::kMalformed) {
        ++result.unreadable;
        continue;
      }
      SyncNote& remote = object.parsed.note;
      const QString icalUid = remote.uid;
      remote.uid = NoteKeyOfUid(icalUid);
      SyncedNote synced{object.href, object.etag, {}, remote.uid == icalUid ? QString() : icalUid};
      const auto entry = state.notes.find(remote.uid);
      const auto here = local.find(remote.uid);
      const QByteArray remoteDigest = ContentDigest(remote);
      if (here != local.end() && ContentDigest(here->second) == remoteDigest) {
        synced.digest = remoteDigest;
      } else {
        const bool changedHere =
            here != local.end() &&
            (entry == state.notes.end() || ContentDigest(here->second) != entry->second.digest);
        const std::optional<SyncNote> stored =
            changedHere && !KeepConflictCopy(here->second) ? std::nullopt : store_.Save(remote);
        if (!stored) {
          unapplied_ = true;
          continue;
        }
        synced.digest = ContentDigest(*stored);
        ++result.received;
      }
      state.notes[remote.uid] = synced;
    }
    for (const QString& href : removed_) {
      state.ignored.erase(href);
      const std::optional<QString> key =
          hrefKeys_.count(href) ? std::optional(hrefKeys_[href]) : std::nullopt;
      if (!key) continue;
      const auto here = local.find(*key);
      const bool unchangedHere =
          here != local.end() && ContentDigest(here->second) == state.notes[*key].digest;
      if (unchangedHere && !store_.Remove(*key)) {
        unapplied_ = true;
        continue;
      }
      state.notes.erase(*key);
      if (unchangedHere) ++result.received;
    }
  }

  // False when the server could not be reached; refused single writes
  // wait for the next sync.
  bool SendLocal() {
    std::set<QString> present;
    for (const SyncNote& note : store_.Notes()) {
      present.insert(note.uid);
      const auto entry = state.notes.find(note.uid);
      const QByteArray digest = ContentDigest(note);
      if (entry != state.notes.end() && entry->second.digest == digest) continue;
      if (!Put(note, digest, entry == state.notes.end() ? nullptr : &entry->second)) return false;
    }
    for (auto it = state.notes.begin(); it != state.notes.end();) {
      if (present.count(it->first)) {
        ++it;
        continue;
      }
      const DavReply reply = client_.Send("DELETE", collection_.resolved(QUrl(it->second.href)), {},
                                          {{"If-Match", it->second.etag.toUtf8()}});
      if (!reply.error.isEmpty()) return Fail(reply);
      if (reply.ok() || reply.status == 404) {
        ++result.sent;
        it = state.notes.erase(it);
      } else {
        ++it;
      }
    }
    return true;
  }

  bool Fail(const DavReply& reply) {
    result.message = ReplyProblem(reply);
    return false;
  }

  // A change that could not be applied here is listed again next time.
  void Finish() {
    if (!unapplied_ && !newToken_.isEmpty()) state.syncToken = newToken_;
  }

 private:
  QString Path(const QString& href) const {
    return collection_.resolved(QUrl(href)).path(QUrl::FullyEncoded);
  }

  bool ListChanges() {
    for (const auto& [key, note] : state.notes) hrefKeys_[note.href] = key;
    const QString collectionPath = collection_.path(QUrl::FullyEncoded);
    DavReply reply;
    bool complete = true;
    if (!state.syncToken.isEmpty()) {
      reply = client_.Send("REPORT", collection_, SyncCollectionBody(state.syncToken),
                           {{"Depth", "0"}});
      complete = false;
      if (reply.error.isEmpty() && (reply.status == 403 || reply.status == 409))
        complete = true;  // token expired
    }
    if (complete)
      reply = client_.Send("REPORT", collection_, SyncCollectionBody({}), {{"Depth", "0"}});
    if (reply.error.isEmpty() && Unsupported(reply.status)) {
      if (!CtagChanged()) return true;
      reply = client_.Send("PROPFIND", collection_, kEtagsAndCtag, {{"Depth", "1"}});
      complete = true;
    }
    if (!reply.ok()) return Fail(reply);
    const std::optional<DavMultistatus> answer = ParseMultistatus(reply.body);
    if (!answer) {
      result.message = QStringLiteral("the server's list of notes is not WebDAV");
      return false;
    }
    newToken_ = answer->syncToken;
    std::set<QString> listed;
    for (const DavResource& resource : answer->resources) {
      const QString href = Path(resource.href);
      if (href == collectionPath || href.endsWith('/')) continue;
      if (resource.status == 404) {
        removed_.push_back(href);
        continue;
      }
      listed.insert(href);
      const auto key = hrefKeys_.find(href);
      const QString known = key != hrefKeys_.end()      ? state.notes[key->second].etag
                            : state.ignored.count(href) ? state.ignored[href]
                                                        : QString();
      if (resource.etag.isEmpty() || resource.etag != known) changed_[href] = resource.etag;
    }
    if (complete) {
      for (const auto& [href, key] : hrefKeys_)
        if (!listed.count(href)) removed_.push_back(href);
      for (const auto& [href, etag] : state.ignored)
        if (!listed.count(href)) removed_.push_back(href);
    }
    return true;
  }

  // Without sync tokens: the collection's ctag says whether anything in it
  // changed since the last sync.
  bool CtagChanged() {
    const DavReply reply = client_.Send("PROPFIND", collection_, kEtagsAndCtag, {{"Depth", "0"}});
    const std::optional<DavMultistatus> answer =
        reply.ok() ? ParseMultistatus(reply.body) : std::nullopt;
    const QString ctag =
        answer && !answer->resources.empty() ? answer->resources.front().ctag : QString();
    const bool changed = ctag.isEmpty() || ctag != state.ctag;
    state.ctag = ctag;
    return changed;
  }

  bool Fetch(const std::vector<QString>& hrefs) {
    const DavReply reply =
        client_.Send("REPORT", collection_, MultigetBody(hrefs), {{"Depth", "1"}});
    if (!reply.ok()) return Fail(reply);
    const std::optional<DavMultistatus> answer = ParseMultistatus(reply.body);
    if (!answer) {
      result.message = QStringLiteral("the server's notes are not WebDAV");
      return false;
    }
    for (const DavResource& resource : answer->resources) {
      const QString href = Path(resource.href);
      if (!changed_.count(href) || resource.status == 404) continue;
      if (resource.calendarData.isEmpty()) continue;
      fetched_.push_back({href, resource.etag, NoteOfICalendar(resource.calendarData)});
    }
    return true;
  }

  // This machine's version of a note the server changed too, as a new note
  // of its own; false when it could not be written.
  bool KeepConflictCopy(const SyncNote& mine) {
    SyncNote copy = mine;
    copy.uid = NewNoteKey();
    if (!copy.caption.startsWith(kConflictCopyPrefix))
      copy.caption = kConflictCopyPrefix + copy.caption;
    if (!store_.Save(copy)) return false;
    ++result.conflicts;
    return true;
  }

  bool Put(const SyncNote& note, const QByteArray& digest, SyncedNote* synced) {
    SyncNote object = note;
    if (synced && !synced->icalUid.isEmpty()) object.uid = synced->icalUid;
    const QString href = synced ? synced->href : Path(QUrl::toPercentEncoding(note.uid) + ".ics");
    const DavHeaders condition = synced ? DavHeaders{{"If-Match", synced->etag.toUtf8()}}
                                        : DavHeaders{{"If-None-Match", "*"}};
    const DavReply reply =
        client_.Send("PUT", collection_.resolved(QUrl(href)), ICalendarOfNote(object), condition);
    if (!reply.error.isEmpty() || reply.status == 401 || reply.status >= 500) return Fail(reply);
    if (reply.ok()) {
      ++result.sent;
      state.notes[note.uid] = {href, reply.etag, digest, synced ? synced->icalUid : QString()};
    } else if (reply.status == 404 && synced) {
      state.notes.erase(note.uid);  // gone there meanwhile: sent as new next time
    }
    return true;
  }

  DavClient& client_;
  NoteStore& store_;
  const QUrl collection_;
  std::map<QString, QString> hrefKeys_;
  std::map<QString, QString> changed_;  // href -> etag
  std::vector<QString> removed_;
  std::vector<Fetched> fetched_;
  QString newToken_;
  bool unapplied_ = false;
};

SyncEngine::SyncEngine(DavClient& client, NoteStore& store, QString statePath)
    : client_(client), store_(store), statePath_(std::move(statePath)) {}

SyncResult SyncEngine::Run(const QUrl& collection) {
  Pass pass(client_, store_, collection);
  QString error;
  if (!pass.state.Load(statePath_, &error)) {
    pass.result.message = error;
    return pass.result;
  }
  pass.state.UseCollection(collection.toString());
  if (!pass.ReadServer()) return pass.result;
  pass.ApplyServer();
  const bool sent = pass.SendLocal();
  pass.Finish();
  if (!pass.state.Save(statePath_, &error)) {
    pass.result.message = error;
    return pass.result;
  }
  if (!sent) return pass.result;
  pass.result.ok = true;
  pass.result.message = QStringLiteral("Synced: %1 received, %2 sent")
                            .arg(pass.result.received)
                            .arg(pass.result.sent);
  if (pass.result.conflicts)
    pass.result.message += QStringLiteral(", %1 conflict copies").arg(pass.result.conflicts);
  if (pass.result.unreadable)
    pass.result.message +=
        QStringLiteral(", %1 unreadable objects left alone").arg(pass.result.unreadable);
  return pass.result;
}

}  // namespace pw
