// The progress window of index builds: a MessageWindow whose text starts as 100
// "|" characters and loses one with every step, starting again at 100 when
// it runs out.
#pragma once

#include "dialogs/message_window.h"

namespace pw {

class ProgressWindow : public MessageWindow {
  Q_OBJECT

 public:
  static constexpr int kSteps = 100;

  explicit ProgressWindow(const QString& caption = QStringLiteral("Progress"));
  void Step();
};

}  // namespace pw
