// The progress window of index builds: a TTzMsg whose text starts as 100
// "|" characters and loses one with every step, starting again at 100 when
// it runs out.
#pragma once

#include "dialogs/tz_msg.h"

namespace pw {

class TTzProgress100 : public TTzMsg {
  Q_OBJECT

 public:
  static constexpr int kSteps = 100;

  explicit TTzProgress100(const QString& caption = QStringLiteral("Progress"));
  void Step();
};

}  // namespace pw
