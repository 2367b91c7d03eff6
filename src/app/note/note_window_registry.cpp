#include "app/note/note_window_registry.h"

#include <map>

namespace pw {

namespace {

struct Registry {
  std::map<int, NoteRequestTarget*> windows;
  int lastHandle = 0;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

int RegisterNoteWindow(NoteRequestTarget* target) {
  Registry& registry = TheRegistry();
  // Wraps long before 10 digits; a handle still in use is skipped.
  do {
    registry.lastHandle = registry.lastHandle >= 999999999 ? 1 : registry.lastHandle + 1;
  } while (registry.windows.count(registry.lastHandle) != 0);
  registry.windows[registry.lastHandle] = target;
  return registry.lastHandle;
}

void UnregisterNoteWindow(int handle) {
  TheRegistry().windows.erase(handle);
}

bool SendNoteRequest(int handle, int message) {
  const auto found = TheRegistry().windows.find(handle);
  if (found == TheRegistry().windows.end()) return false;
  found->second->NoteRequest(message, kRequestParameter, 0);
  return true;
}

}  // namespace pw
