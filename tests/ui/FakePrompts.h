#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "ui/Prompts.h"

// Records every message and answers every dialog as the test scripted it.
// Unscripted confirmations answer Cancel, colour dialogs cancel and file
// dialogs return no file. Installs itself for its lifetime.
class FakePrompts : public Prompts {
 public:
  FakePrompts() { Prompts::Install(this); }
  ~FakePrompts() override { Prompts::Install(nullptr); }

  QStringList messages;       // texts of Message, in order
  QStringList confirmations;  // texts of Confirm, in order
  int colorDialogs = 0;
  int fileDialogs = 0;

  std::deque<bool> confirmAnswers;
  std::deque<long> colorAnswers;  // a colour 0x00BBGGRR, or -1 for Cancel
  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;

  void Message(QWidget*, const QString& text, const QString&) override { messages << text; }
  bool Confirm(QWidget*, const QString& text, const QString&) override {
    confirmations << text;
    if (confirmAnswers.empty()) return false;
    const bool a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
  }
  bool PickColor(QWidget*, uint32_t, uint32_t* chosen) override;
  QString OpenFile(QWidget*, const QString&, const QString&) override { return Next(openAnswers); }
  QString SaveFile(QWidget*, const QString&, const QString&) override { return Next(saveAnswers); }
  // The unsaved-changes question; unscripted it answers Cancel.
  QStringList saveQuestions;
  std::deque<SaveAnswer> saveQuestionAnswers;
  SaveAnswer AskSave(QWidget*, const QString& text, const QString&) override {
    saveQuestions << text;
    if (saveQuestionAnswers.empty()) return AnswerCancel;
    const SaveAnswer a = saveQuestionAnswers.front();
    saveQuestionAnswers.pop_front();
    return a;
  }

 private:
  QString Next(std::deque<QString>& q) {
    ++fileDialogs;
    if (q.empty()) return QString();
    QString s = q.front();
    q.pop_front();
    return s;
  }
};
