#include "dialogs/no_mail_program_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace pw {

void ShowNoMailProgramBox(QWidget* parent, const QString& noteText) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Email Note"),
                  QStringLiteral("No mail program is set up on this desktop to send the note."),
                  QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("NoMailProgramBox"));
  box.setInformativeText(
      QStringLiteral("Copy the note's text to the clipboard, to paste it into a message?"));
  QPushButton* copy = box.addButton(QStringLiteral("Copy Text"), QMessageBox::AcceptRole);
  copy->setObjectName(QStringLiteral("BtnCopyText"));
  QPushButton* close = box.addButton(QMessageBox::Close);
  close->setObjectName(QStringLiteral("BtnClose"));
  box.setDefaultButton(copy);
  box.exec();
  if (box.clickedButton() == copy) QGuiApplication::clipboard()->setText(noteText);
}

}  // namespace pw
