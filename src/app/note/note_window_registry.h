// The open note windows by handle. A record's HANDLE field names its
// window; other parts of the program reach the window by sending it a
// request through this registry, which calls the window at once, so the
// window has done its work when the call returns.
#pragma once

namespace pw {

// Requests, with kRequestParameter as their first parameter and 0 as their
// second: hide the note (saving SHOWING "N"), save and close it (keeping
// SHOWING "Y"), and edit its properties (returning when the dialog closed).
inline constexpr int kHideNoteRequest = 1026;
inline constexpr int kSaveAndCloseNoteRequest = 1027;
inline constexpr int kPropertiesNoteRequest = 1028;
inline constexpr int kRequestParameter = 0xF060;

class NoteRequestTarget {
 public:
  virtual ~NoteRequestTarget() = default;
  virtual void NoteRequest(int message, int firstParameter, int secondParameter) = 0;
};

// Enters `target` under a new handle: positive, unique in the process, and
// small enough for the N(10) HANDLE field.
int RegisterNoteWindow(NoteRequestTarget* target);
void UnregisterNoteWindow(int handle);
// False when no window holds `handle` (closed, or left from another run).
bool SendNoteRequest(int handle, int message);

}  // namespace pw
