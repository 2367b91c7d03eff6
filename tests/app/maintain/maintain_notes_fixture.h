// The Notes & Reminders window over a controller of its own: notes and
// templates appended to the controller's tables, and real clicks on the
// window's tabs, rows, context menus and message boxes.
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/controller_fixture.h"
#include "app/maintain/maintain_notes.h"
#include "grid/data_grid.h"
#include "support/modal_dialog.h"

namespace pw::test {

class MaintainNotesFixture : public ControllerFixture {
 protected:
  // Ten templates, those named in `names` (by number) customised.
  static void AddTemplates(DbfTable& defaults, const QMap<int, const char*>& names) {
    for (int n = 1; n <= 10; ++n) {
      const QByteArray reset = QStringLiteral("Template %1 - Not Set").arg(n).toLatin1();
      AppendNote(defaults, {.showing = "N", .desc = names.value(n, reset.constData())});
    }
  }

  std::unique_ptr<NotesManagerWindow> OpenWindow(NotesController& controller) {
    auto window = std::make_unique<NotesManagerWindow>(controller);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  static QStringList VisibleTabs(const NotesManagerWindow& window) {
    QStringList captions;
    for (int i = 0; i < window.Pages()->count(); ++i) {
      if (window.Pages()->isTabVisible(i)) captions << window.Pages()->tabText(i);
    }
    return captions;
  }

  static void ClickTab(const NotesManagerWindow& window, const QString& caption) {
    QTabBar* bar = window.Pages()->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
      if (bar->tabText(i) == caption && bar->isTabVisible(i)) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        return;
      }
    }
    ADD_FAILURE() << "no tab " << caption.toStdString();
  }

  static QStringList Captions(const DataGrid& grid) {
    QStringList captions;
    for (int row = 0; row < grid.model()->rowCount(); ++row) {
      captions << grid.model()->index(row, 0).data().toString();
    }
    return captions;
  }

  // Right-clicks row `row` of `grid` and clicks the item `name` of its menu,
  // as a user does: the events queued while the menu fills and shows run
  // before the click, and the focus returns to the grid after it.
  static void ChooseFromMenu(DataGrid& grid, int row, const char* name) {
    const QPoint at = grid.visualRect(grid.model()->index(row, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, at);
    QMenu* menu = grid.PopupMenu();
    ASSERT_NE(menu, nullptr);
    if (!menu->isVisible()) {
      QContextMenuEvent request(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
      QApplication::sendEvent(grid.viewport(), &request);
    }
    ASSERT_TRUE(menu->isVisible());
    QTest::qWait(kMenuSettleMs);
    QAction* item = menu->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(item, nullptr) << name;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QApplication::setActiveWindow(grid.window());
    grid.setFocus(Qt::PopupFocusReason);
    QCoreApplication::processEvents();
  }
  static constexpr int kMenuSettleMs = 20;

  // Clicks `button` of the next message box once it shows; keeps its text.
  void AnswerNextBox(QMessageBox::StandardButton button) {
    WhenModal<QMessageBox>([this, button](QMessageBox* box) {
      boxTexts_ << box->text();
      QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
  }

  static NoteWindow* WindowOfRecord(NotesController& controller, std::int32_t record) {
    for (NoteWindow* window : OpenWindows(controller)) {
      if (window->RecordLink() == record) return window;
    }
    return nullptr;
  }

  static QString Showing(DbfTable& table, std::int32_t record) {
    table.Go(record);
    return table.GetFieldStr("SHOWING");
  }

  QStringList boxTexts_;
};

}  // namespace pw::test
