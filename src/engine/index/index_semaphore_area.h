// The work area behind an index semaphore: its number in the engine's table
// of work areas, and a scope in which it is the current one (the table lock
// byte acts on the current table).
#pragma once

namespace pw {

struct WorkArea;

// The number (1-33) of `area`; 0 when it is not one of the engine's areas.
int SemaphoreAreaNumber(const WorkArea& area);
// true, after reporting 254 "Work area [n ] out of range. [HandleSemafore]",
// for a number the semaphore cannot serve (0, or 35 and more).
bool SemaphoreAreaOutOfRange(int number);

class SelectedArea {
 public:
  explicit SelectedArea(int number);
  ~SelectedArea();
  SelectedArea(const SelectedArea&) = delete;
  SelectedArea& operator=(const SelectedArea&) = delete;

 private:
  int previous_;
};

}  // namespace pw
