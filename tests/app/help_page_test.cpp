// "Help...": the shipped help page found beside the program or in the
// installed share folder and handed to the browser, and the message shown
// when it is missing or no browser opens it.
#include "app/controller/help_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "richtext/url_opener.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

class RecordingBrowser : public UrlOpener {
 public:
  explicit RecordingBrowser(bool opens) : opens_(opens) {}
  bool Open(const QUrl& url) override {
    opened << url;
    return opens_;
  }
  QList<QUrl> opened;

 private:
  bool opens_;
};

class HelpPageTest : public ::testing::Test {
 protected:
  QString Folder(const char* relative) const {
    const QString path = QString::fromStdString(dir_.file(relative));
    QDir().mkpath(path);
    return path;
  }
  static void WritePage(const QString& folder) {
    QFile page(folder + '/' + kHelpPageName);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    ASSERT_GT(page.write("<h1>Paperwisp Help</h1>"), 0);
  }
  // Opens the page for a program in `programFolder`; returns the text of
  // the message box shown meanwhile (closed with a click on OK), empty when
  // none was shown.
  QString OpenAndReadMessage(const QString& programFolder, RecordingBrowser& browser) {
    QString message;
    // Bound to `watch`, so that a click never comes when no box showed
    // outlives this call.
    QObject watch;
    QTimer::singleShot(0, &watch, [&message] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || box->objectName() != "HelpMissingBox") return;
      message = box->text();
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    opened_ = OpenHelpPage(nullptr, programFolder, browser);
    return message;
  }

  test::TempDir dir_;
  bool opened_ = false;
};

TEST_F(HelpPageTest, ThePageBesideTheProgramGoesToTheBrowser) {
  const QString program = Folder("build");
  WritePage(program);
  RecordingBrowser browser(true);
  EXPECT_EQ(OpenAndReadMessage(program, browser), QString());
  EXPECT_TRUE(opened_);
  ASSERT_EQ(browser.opened.size(), 1);
  EXPECT_EQ(browser.opened[0], QUrl::fromLocalFile(program + "/paperwisp-help.html"));
}

TEST_F(HelpPageTest, AnInstalledProgramFindsThePageInTheShareFolder) {
  const QString bin = Folder("usr/bin");
  WritePage(Folder("usr/share/paperwisp"));
  RecordingBrowser browser(true);
  EXPECT_EQ(OpenAndReadMessage(bin, browser), QString());
  ASSERT_EQ(browser.opened.size(), 1);
  EXPECT_EQ(browser.opened[0].toLocalFile(),
            QString::fromStdString(dir_.file("usr/share/paperwisp/paperwisp-help.html")));
}

TEST_F(HelpPageTest, AMissingPageIsReportedInsteadOfNothingHappening) {
  RecordingBrowser browser(true);
  const QString message = OpenAndReadMessage(Folder("usr/bin"), browser);
  EXPECT_FALSE(opened_);
  EXPECT_TRUE(browser.opened.isEmpty());
  EXPECT_TRUE(message.contains("paperwisp-help.html is missing")) << message.toStdString();
  EXPECT_TRUE(message.contains(QString::fromStdString(dir_.file("usr/share/paperwisp"))))
      << message.toStdString();
}

TEST_F(HelpPageTest, APageNoBrowserOpensIsReported) {
  const QString program = Folder("build");
  WritePage(program);
  RecordingBrowser browser(false);
  const QString message = OpenAndReadMessage(program, browser);
  EXPECT_FALSE(opened_);
  EXPECT_EQ(browser.opened.size(), 1);
  EXPECT_TRUE(message.startsWith("No web browser could be started")) << message.toStdString();
}

}  // namespace
}  // namespace pw
