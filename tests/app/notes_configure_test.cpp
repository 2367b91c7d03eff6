#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/controller/notes_main.h"
#include "app/controller/template_table_store.h"
#include "controller_fixture.h"
#include "desktop/taskbar_button.h"
#include "dialogs/config_dialog.h"
#include "dialogs/template_dialog.h"
#include "support/modal_dialog.h"

namespace pw {
namespace {

class NotesConfigureTest : public test::ControllerFixture {
 protected:
  void SetUp() override {
    ControllerFixture::SetUp();
    savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(configHome_.path()));
  }
  void TearDown() override {
    qputenv("XDG_CONFIG_HOME", savedConfigHome_);
    ControllerFixture::TearDown();
  }
  QString AutostartEntry() const {
    return QString::fromStdString(configHome_.file("autostart/paperwisp.desktop"));
  }
  QByteArray ConfigBytes() const {
    QFile file(File("Config.cfg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
  }
  static QAction* Item(QMenu* menu, const QString& text) {
    for (QAction* item : menu->actions())
      if (item->text() == text) return item;
    return nullptr;
  }
  static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

  test::TempDir configHome_;
  QByteArray savedConfigHome_;
};

TEST_F(NotesConfigureTest, TrayConfigureShowsTheDefaultsAndCancelLeavesConfigCfgAsItWas) {
  auto controller = Start();
  const QByteArray before = ConfigBytes();
  QAction* configure = Item(controller->TrayMenu(), "Configure...");
  ASSERT_NE(configure, nullptr);
  ASSERT_TRUE(configure->isEnabled());
  int page = -1;
  bool defaultsShown = false;
  test::WhenModal<ConfigDialog>([&](ConfigDialog* dialog) {
    page = dialog->PageControl()->currentIndex();
    defaultsShown = dialog->LoadPaperwispCheckBox()->isChecked() &&
                    !dialog->BackupCheckBox()->isChecked() &&
                    dialog->RepeatEdit()->text() == "10" && dialog->SnoozeEdit()->text() == "5";
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) box->click();
    dialog->RepeatEdit()->setText("99");
    dialog->SoundFileEdit()->setText("/elsewhere.wav");
    Click(dialog->CancelButton());
  });
  configure->trigger();
  EXPECT_EQ(page, 0);
  EXPECT_TRUE(defaultsShown);
  EXPECT_EQ(ConfigBytes(), before);
  EXPECT_FALSE(QFile::exists(AutostartEntry()));
  EXPECT_FALSE(controller->Settings().backupFiles);
}

TEST_F(NotesConfigureTest, OkWritesTheKeysReloadsTheSettingsAndRegistersTheLogOnStart) {
  auto controller = Start();
  test::WhenModal<ConfigDialog>([](ConfigDialog* dialog) {
    Click(dialog->BackupCheckBox());
    Click(dialog->URLCheckBox());
    Click(dialog->OkButton());
  });
  controller->onConfigure();
  EXPECT_TRUE(ReadSetting(Config(), config::kBackupFiles));
  EXPECT_TRUE(controller->Settings().backupFiles);
  EXPECT_FALSE(controller->Settings().enableURL);
  QFile entry(AutostartEntry());
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
  EXPECT_TRUE(entry.readAll().contains(
      ("\nExec=\"" + QCoreApplication::applicationFilePath() + "\"\n").toUtf8()));
  entry.close();

  ASSERT_NE(controller->TaskbarButtonWindow(), nullptr);
  EXPECT_TRUE(controller->TaskbarButtonWindow()->Shown());

  test::WhenModal<ConfigDialog>([](ConfigDialog* dialog) {
    Click(dialog->LoadPaperwispCheckBox());
    Click(dialog->TaskbarCheckBox());
    Click(dialog->OkButton());
  });
  controller->onConfigure();
  EXPECT_FALSE(QFile::exists(AutostartEntry()));
  EXPECT_FALSE(ReadSetting(Config(), config::kLoadAtStartup));
  EXPECT_FALSE(controller->TaskbarButtonWindow()->Shown()) << "hidden at once";
}

TEST_F(NotesConfigureTest, AnAutostartEntryThatCannotBeWrittenIsAWarningAndTheSettingsAreSaved) {
  QFile blocker(QString::fromStdString(configHome_.file("autostart")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  auto controller = Start();
  QString warning;
  test::WhenModal<ConfigDialog>([&warning](ConfigDialog* dialog) {
    test::WhenModal<QMessageBox>([&warning](QMessageBox* box) {
      warning = box->text();
      box->accept();
    });
    Click(dialog->EmptyTrashCheckBox());
    Click(dialog->OkButton());
  });
  controller->onConfigure();
  EXPECT_TRUE(warning.startsWith("Unable to change the start at log-on")) << warning.toStdString();
  EXPECT_TRUE(ReadSetting(Config(), config::kEmptyTrash));
  EXPECT_TRUE(controller->Settings().emptyTrash);
}

TEST_F(NotesConfigureTest, EditThenRemoveTemplateThreeWritesItsUnsetStateAtOnce) {
  auto controller = Start();
  QStringList firstList, editedList, removedList;
  test::WhenModal<ConfigDialog>([&](ConfigDialog* dialog) {
    QListWidget* list = dialog->LbTemplates();
    for (int i = 0; i < list->count(); ++i) firstList << list->item(i)->text();
    list->setCurrentRow(2);
    test::WhenModal<TemplateDialog>([](TemplateDialog* editor) {
      editor->NameEdit()->selectAll();
      QTest::keyClicks(editor->NameEdit(), "Groceries");
      editor->NotePositionCombo()->setCurrentIndex(4);
      Click(editor->OkButton());
    });
    Click(dialog->EditPropsButton());
    editedList << list->item(2)->text() << QString::number(list->currentRow());
    Click(dialog->RemoveButton());
    removedList << list->item(2)->text() << QString::number(list->currentRow());
    Click(dialog->CancelButton());
  });
  controller->ConfigureTemplates();
  ASSERT_EQ(firstList.size(), 10);
  EXPECT_EQ(firstList[0], "Template 1 - Not Set");
  EXPECT_EQ(firstList[9], "Template 10 - Not Set");
  EXPECT_EQ(editedList, QStringList({"Groceries", "2"}));
  EXPECT_EQ(removedList, QStringList({"Template 3 - Not Set", "2"}));

  DbfTable& templates = controller->TemplatesTable();
  templates.Go(3);
  EXPECT_EQ(templates.GetFieldStr("DESC").trimmed(), "Template 3 - Not Set");
  EXPECT_EQ(templates.GetFieldStr("STAYONTOP").trimmed(), "N");
  EXPECT_EQ(templates.GetFieldInt("COLOR"), 10092543);
  EXPECT_EQ(templates.GetFieldStr("CAPFONTNAM").trimmed(), "MS Sans Serif");
  EXPECT_EQ(templates.GetFieldFloat("CAPFONTSIZ"), 8);
  EXPECT_EQ(templates.GetFieldInt("CAPFONTCOL"), 0);
  EXPECT_EQ(templates.GetFieldInt("HEIGHT"), 120);
  EXPECT_EQ(templates.GetFieldInt("WIDTH"), 120);
  EXPECT_EQ(templates.GetFieldInt("LEFT"), 0);
  EXPECT_EQ(templates.GetFieldInt("MEMO"), 0);
  controller->onTemplateMenuAboutToShow();
  EXPECT_FALSE(controller->TemplateMenu()->actions()[2]->isVisible());
}

TEST_F(NotesConfigureTest, EditWithNothingSelectedEditsTemplateOneAndDoubleClickEditsTheEntry) {
  auto controller = Start();
  QString doubleClicked;
  test::WhenModal<ConfigDialog>([&](ConfigDialog* dialog) {
    dialog->PageControl()->setCurrentIndex(2);
    QListWidget* list = dialog->LbTemplates();
    list->setCurrentRow(-1);
    test::WhenModal<TemplateDialog>([](TemplateDialog* editor) {
      editor->NameEdit()->selectAll();
      QTest::keyClicks(editor->NameEdit(), "Quick");
      Click(editor->OkButton());
    });
    Click(dialog->EditPropsButton());
    test::WhenModal<TemplateDialog>([&doubleClicked](TemplateDialog* editor) {
      doubleClicked = editor->NameEdit()->text();
      editor->NameEdit()->setText("Not taken");
      Click(editor->CancelButton());
    });
    QCoreApplication::processEvents();  // lays out the page just selected
    const QPoint entry = list->visualItemRect(list->item(4)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry);
    Click(dialog->OkButton());
  });
  controller->onConfigure();
  EXPECT_EQ(doubleClicked, "Template 5 - Not Set");
  DbfTable& templates = controller->TemplatesTable();
  templates.Go(1);
  EXPECT_EQ(templates.GetFieldStr("DESC").trimmed(), "Quick");
  templates.Go(5);
  EXPECT_EQ(templates.GetFieldStr("DESC").trimmed(), "Template 5 - Not Set");
  controller->onTemplateMenuAboutToShow();
  EXPECT_TRUE(controller->TemplateMenu()->actions()[0]->isVisible());
  EXPECT_FALSE(controller->TemplateMenu()->findChild<QAction*>("NoTemplateSet")->isVisible());
}

TEST_F(NotesConfigureTest, WithoutATemplateTheTemplateMenuSaysSoAndOffersTheTemplatesPage) {
  auto controller = Start();
  controller->onTemplateMenuAboutToShow();
  QAction* none = controller->TemplateMenu()->findChild<QAction*>("NoTemplateSet");
  QAction* configure = controller->TemplateMenu()->findChild<QAction*>("ConfigureTemplates");
  ASSERT_NE(none, nullptr);
  ASSERT_NE(configure, nullptr);
  EXPECT_TRUE(none->isVisible());
  EXPECT_FALSE(none->isEnabled());
  EXPECT_TRUE(configure->isVisible());
  int page = -1;
  test::WhenModal<ConfigDialog>([&page](ConfigDialog* dialog) {
    page = dialog->PageControl()->currentIndex();
    Click(dialog->CancelButton());
  });
  configure->trigger();
  EXPECT_EQ(page, 2);
  EXPECT_TRUE(OpenWindows(*controller).isEmpty()) << "the item makes no note";
}

TEST_F(NotesConfigureTest, ConfigureWhileTheDialogIsOpenBringsItForwardOnThatPage) {
  auto controller = Start();
  int dialogs = 0;
  int page = -1;
  test::WhenModal<ConfigDialog>([&](ConfigDialog* dialog) {
    controller->onConfigure();
    dialogs = controller->findChildren<ConfigDialog*>().size();
    page = dialog->PageControl()->currentIndex();
    Click(dialog->CancelButton());
  });
  controller->ConfigureTemplates();
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(page, 0);
}

TEST_F(NotesConfigureTest, NoteWindowsConfigureOpensTheDialog) {
  auto controller = Start();
  NoteWindow* note = controller->NewNoteFromTemplate(1);
  ASSERT_NE(note, nullptr);
  QAction* configure = Item(note->findChild<QMenu*>("PupMenu"), "Configure...");
  ASSERT_NE(configure, nullptr);
  EXPECT_TRUE(configure->isEnabled());
  bool opened = false;
  test::WhenModal<ConfigDialog>([&opened](ConfigDialog* dialog) {
    opened = dialog->PageControl()->currentIndex() == 0;
    Click(dialog->CancelButton());
  });
  configure->trigger();
  EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace pw
