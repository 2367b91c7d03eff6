#include "dataset/engine_state_guard.h"

#include <algorithm>

#include "common/error_state.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"

namespace pw {

EngineStateGuard::EngineStateGuard()
    : workArea_(CurrentWorkArea()),
      recordNumber_(CurrentArea().recordNumber),
      bof_(CurrentArea().bof),
      eof_(CurrentArea().eof),
      raw_(CurrentArea().raw),
      image_(CurrentArea().image, CurrentArea().image + CurrentArea().imageSize),
      errorCode_(EngineErrorCode()) {}

EngineStateGuard::~EngineStateGuard() {
  Select(workArea_);
  WorkArea& area = CurrentArea();
  if (navigated_ && area.occupied) {
    if (recordNumber_ >= 1 && recordNumber_ <= area.recordCount) {
      Go(recordNumber_);
    } else {
      GoBottom();
      Skip(1);
    }
  }
  area.recordNumber = recordNumber_;
  area.bof = bof_;
  area.eof = eof_;
  if (area.raw.size() == raw_.size()) area.raw = raw_;
  if (area.imageSize == image_.size()) std::copy(image_.begin(), image_.end(), area.image);
  SetEngineErrorCode(errorCode_);
}

}  // namespace pw
